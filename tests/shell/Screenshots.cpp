// tavelin-screenshots: saves a picture of every window as PNG, for looking
// at layout, fonts and colours without a display:
//   cmake --build build --target screenshots
// or run it directly:
//   build/tests/shell/tavelin-screenshots [dir]
// It draws on the offscreen platform unless QT_QPA_PLATFORM names another.
// The pictures go to `dir`, by default build/screenshots, and the program
// runs in a temporary directory of its own, so no config.cfg is touched.
#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTest>
#include <QWidget>

#include <cstdio>

#include "gui/WindowFixture.h"
#include "link/Wyszukaj.h"
#include "platform/Cp1250.h"
#include "records/Form10.h"
#include "records/Form2.h"
#include "records/Form9.h"
#include "reports/Postep.h"
#include "shell/AboutBox.h"
#include "shell/Colors.h"
#include "shell/FindReplaceDialog.h"
#include "shell/HelpForms.h"
#include "shell/QtTexts.h"

namespace {

QDir g_out;
int g_failures = 0;

void Save(QWidget* window, const QString& name) {
    window->show();
    if (!QTest::qWaitForWindowExposed(window)) {
        std::fprintf(stderr, "%s was not exposed\n", qPrintable(name));
        ++g_failures;
    }
    QApplication::processEvents();
    const QString path = g_out.filePath(name + QStringLiteral(".png"));
    if (!window->grab().save(path)) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
        ++g_failures;
    }
    std::printf("%s\n", qPrintable(path));
    window->hide();
}

void FillSampleTable(TForm1& form) {
    auto& grid = form.GridCells;
    const char* rows[][17] = {
        {"B001", "2008-03-01", "07:41", "12", "0001", "A", "FRIA", "d 110 mufa", "39.5", "39.6",
         "95", "95", "15", "15", "12", "1.23", "+"},
        {"B001", "2008-03-01", "08:02", "12", "0002", "M", "PLAS", "d 160 kol.", "39.5", "39.4",
         "140", "140", "20", "20", "13", "1.05", "-"},
        {"B002", "2008-03-02", "10:15", "07", "0003", "A", "GFEX", "d 63 trojn", "39.5", "39.5",
         "60", "12", "10", "0", "9", "2.10", "3"},
    };
    grid.SetRowCount(4);
    for (int r = 0; r < 3; ++r) {
        for (int c = 0; c < 17; ++c) {
            grid.SetCell(c, r + 1, rows[r][c]);
        }
    }
    form.SetGridHeaders();
    form.Edit3->setText(QStringLiteral("Data wydruku: 2008-03-31 12:00"));
    form.Edit2->setText(QStringLiteral("2008-03-01 2008-03-31"));
    form.SetStatusPanelText(1, QStringLiteral("ZGRZEWARKA TYP 3.2"));
}

}  // namespace

int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    const QString dir = argc > 1 ? QString::fromLocal8Bit(argv[1])
                                 : QStringLiteral(TAVELIN_BINARY_DIR "/screenshots");
    // Made absolute now: the fixture below changes the current directory.
    g_out = QDir(QDir::current().absoluteFilePath(dir));
    if (!g_out.mkpath(QStringLiteral("."))) {
        std::fprintf(stderr, "cannot make %s\n", qPrintable(g_out.path()));
        return 1;
    }

    tav::test::WindowFixture fx(tav::test::WindowFixture::MakeConfig(
        1, tav::cp1250::FromUtf8("Zakład Usług Spawalniczych")));
    TForm1& form = fx.Form();
    form.resize(1100, 600);

    Save(&form, QStringLiteral("main-english-empty"));

    form.InterfaceLanguage = 0;
    form.ApplyInterfaceLanguage();
    Save(&form, QStringLiteral("main-polish-empty"));

    form.Connected = true;
    form.ApplyInterfaceLanguage();
    form.EnterConnectionState(TForm1::ConnectionState::Connected);
    form.ShowStatus(tav::text::Q(tav::text::Id::StatusWelderConnected, 0), tav::colors::clLime());
    FillSampleTable(form);
    form.EnterTableView(true);
    Save(&form, QStringLiteral("main-polish-table-connected"));

    form.InterfaceLanguage = 1;
    form.ApplyInterfaceLanguage();
    Save(&form, QStringLiteral("main-english-table-connected"));

    form.EnterTextView(true);
    form.Pulpit->setPlainText(QString::fromUtf8(
        "                         WYKAZ ZGRZEWÓW\n"
        "|   DATA   |GODZ.|NR| NR |A|PROD|   TYP    |Uzad|Uwyk|Czz|Czw|Sz|Sw|To |REZ |OC|\n"
        "|2008-03-01|07:41|12|0001|A|FRIA|d 110 mufa|39.5|39.6| 95| 95|15|15| 12|1.23| +|\n"));
    Save(&form, QStringLiteral("main-english-text"));

    TForm1::Windows w = form.Others();
    Save(w.Form2, QStringLiteral("Form2"));
    Save(w.Wyszukaj, QStringLiteral("Wyszukaj"));
    Save(w.AboutBox, QStringLiteral("AboutBox"));
    Save(w.Postep, QStringLiteral("Postep"));
    Save(w.Form9, QStringLiteral("Form9"));
    Save(w.Form10, QStringLiteral("Form10"));
    Save(w.HelpFormPolski, QStringLiteral("HelpFormPolski"));
    Save(w.HelpFormEnglish, QStringLiteral("HelpFormEnglish"));
    Save(form.FindDialog1, QStringLiteral("FindDialog1"));
    Save(form.ReplaceDialog1, QStringLiteral("ReplaceDialog1"));
    return g_failures == 0 ? 0 : 1;
}
