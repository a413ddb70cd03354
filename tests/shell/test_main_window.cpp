// The main window as the user meets it: start-up from config.cfg, the
// controls with their names, the view modes and connection states, the two
// interface languages, the company name and the wrapper every command runs in.
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QScrollArea>
#include <QScrollBar>
#include <QStatusBar>
#include <QTableView>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <functional>
#include <stdexcept>

#include "core/SimHarness.h"
#include "gui/WindowFixture.h"
#include "link/CommPort.h"
#include "platform/Cp1250.h"
#include "platform/QtText.h"
#include "records/ColumnModel.h"
#include "records/GridModel.h"
#include "shell/AboutBox.h"
#include "shell/Colors.h"
#include "shell/HelpForms.h"
#include "shell/QtTexts.h"
#include "shell/Texts.h"

using tav::test::WindowFixture;
using State = TForm1::ConnectionState;

namespace {

QString U(const char* utf8) {
    return QString::fromUtf8(utf8);
}

QColor Background(const QWidget* widget) {
    return widget->palette().color(QPalette::Window);
}

QColor Foreground(const QWidget* widget) {
    return widget->palette().color(QPalette::WindowText);
}

// The objectNames of a menu's entries, separators included, in order.
QStringList EntryNames(const QMenu* menu) {
    QStringList names;
    for (const QAction* action : menu->actions()) {
        names << action->objectName();
    }
    return names;
}

QStringList EntryTexts(const QMenu* menu) {
    QStringList texts;
    for (const QAction* action : menu->actions()) {
        if (!action->isSeparator()) {
            texts << action->text();
        }
    }
    return texts;
}

// Runs `inside` once the next modal window is up, then closes that window,
// so a test can look at what a command shows modally.
void WhenModalShows(std::function<void(QWidget*)> inside) {
    QTimer::singleShot(0, [inside = std::move(inside)] {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal == nullptr) {
            QTest::qFail("no modal window came up", __FILE__, __LINE__);
            return;
        }
        inside(modal);
        modal->close();
    });
}

// The elements of the view-mode table and whether each is shown (widgets)
// or enabled (menus and menu items). The four text items of the Edit menu
// count only while that menu can be reached.
QStringList ViewElementsOn(TForm1& form) {
    struct Element {
        const char* name;
        bool on;
    };
    const bool editMenu = TForm1::IsMenuEnabled(form.Edycja1);
    const Element elements[] = {
        {"Pulpit", TForm1::IsShown(form.Pulpit)},
        {"Grid", TForm1::IsShown(form.Grid)},
        {"PasekObjasnieniaOceny", TForm1::IsShown(form.PasekObjasnieniaOceny)},
        {"ToolBar2", TForm1::IsShown(form.ToolBar2)},
        {"Label7", TForm1::IsShown(form.Label7)},
        {"SpeedButton3", TForm1::IsShown(form.SpeedButton3)},
        {"N23", form.N23->isEnabled()},
        {"PrintSetup1", TForm1::IsShown(form.PrintSetup1)},
        {"SpeedButton5", TForm1::IsShown(form.SpeedButton5)},
        {"SpeedButton17", TForm1::IsShown(form.SpeedButton17)},
        {"SpeedButton10", TForm1::IsShown(form.SpeedButton10)},
        {"SpeedButton19", TForm1::IsShown(form.SpeedButton19)},
        {"SpeedButton18", TForm1::IsShown(form.SpeedButton18)},
        {"SpeedButton15", TForm1::IsShown(form.SpeedButton15)},
        {"SpeedButton16", TForm1::IsShown(form.SpeedButton16)},
        {"SpeedButton20", TForm1::IsShown(form.SpeedButton20)},
        {"SpeedButton21", TForm1::IsShown(form.SpeedButton21)},
        {"Edycja1", editMenu},
        {"Kopiuj1", editMenu && form.Kopiuj1->isEnabled()},
        {"Wklej1", editMenu && form.Wklej1->isEnabled()},
        {"Znajd1", editMenu && form.Znajd1->isEnabled()},
        {"Zastp1", editMenu && form.Zastp1->isEnabled()},
        {"Zastpnazwlokalizacji1", form.Zastpnazwlokalizacji1->isEnabled()},
        {"Trybrcznejedycjitabeli1", form.Trybrcznejedycjitabeli1->isEnabled()},
        {"Usuzaz1", form.Usuzaz1->isEnabled()},
        {"Podgldraportuzgrzewania1", form.Podgldraportuzgrzewania1->isEnabled()},
    };
    QStringList on;
    for (const Element& e : elements) {
        if (e.on) {
            on << QString::fromLatin1(e.name);
        }
    }
    return on;
}

QStringList ConnectionElementsOn(TForm1& form) {
    QStringList on;
    for (QToolButton* b :
         {form.SpeedButton7, form.SBPobierzOkres, form.SBPobierzCalosc, form.SBKasuj}) {
        if (TForm1::IsShown(b)) {
            on << b->objectName();
        }
    }
    if (TForm1::IsMenuEnabled(form.Narzdzia1)) {
        on << QStringLiteral("Narzdzia1");
    }
    return on;
}

// The modes a test passes through, each entered by its helper.
enum class Mode { Empty, TextDownloaded, TextOpened, TableWithRecords, TableWithoutRecords };

void Enter(TForm1& form, Mode mode) {
    switch (mode) {
        case Mode::Empty:
            form.EnterEmptyView();
            break;
        case Mode::TextDownloaded:
            form.EnterTextView(true);
            break;
        case Mode::TextOpened:
            form.EnterTextView(false);
            break;
        case Mode::TableWithRecords:
            form.EnterTableView(true);
            break;
        case Mode::TableWithoutRecords:
            form.EnterTableView(false);
            break;
    }
}

const QStringList kTextViewCommon = {
    "Pulpit",        "Label7",        "SpeedButton3",  "N23",     "SpeedButton17",
    "SpeedButton10", "SpeedButton19", "SpeedButton18", "Edycja1", "Kopiuj1",
    "Wklej1",        "Znajd1",        "Zastp1"};
const QStringList kTableViewCommon = {"Grid",
                                      "PasekObjasnieniaOceny",
                                      "ToolBar2",
                                      "Label7",
                                      "PrintSetup1",
                                      "SpeedButton5",
                                      "SpeedButton15",
                                      "SpeedButton16",
                                      "SpeedButton20",
                                      "SpeedButton21",
                                      "Edycja1",
                                      "Zastpnazwlokalizacji1",
                                      "Trybrcznejedycjitabeli1",
                                      "Usuzaz1",
                                      "Podgldraportuzgrzewania1"};

// A 100-byte company name with Polish letters as single Windows-1250 bytes.
std::string HundredByteName() {
    return std::string(91, 'a') + "\xB9\xEA\x9C\xE6\xBF\x9F\xF3\xB3\xF1";
}

}  // namespace

class TestMainWindow : public QObject {
    Q_OBJECT

  private slots:
    // ------------------------------------------------------------ start-up
    void startsInEnglishWithoutAUsableConfig_data();
    void startsInEnglishWithoutAUsableConfig();
    void startsInPolishWithTheStoredCompanyName();
    void startCreatesTheNineWindows();
    void settingsFileIsTheOneInTheCurrentDirectory();

    // ------------------------------------------------------------ controls
    void everyControlExistsInItsPlace();
    void everyLanguageTextReachesItsControl();
    void viewModesSetEveryControlOfTheirTable_data();
    void viewModesSetEveryControlOfTheirTable();
    void tableFillsTheClientArea();
    void connectionStatesSetEveryControlOfTheirTable_data();
    void connectionStatesSetEveryControlOfTheirTable();

    // ------------------------------------------------------------ languages
    void switchingLanguageRemindsOnceInTheNewLanguage();
    void toolsMenuReadsAsTheButtonHints();
    void contextMenusAndCompanyLabelStayPolish();
    void languageSwitchKeepsTheConnectionPanelOfAnOpenPort();
    void messagesFollowTheInterfaceLanguage_data();
    void messagesFollowTheInterfaceLanguage();

    // ------------------------------------------------------------ company name
    void companyNameIsStoredInAtMost100Bytes_data();
    void companyNameIsStoredInAtMost100Bytes();
    void savingKeepsTheReservedBytes();
    void plusTwiceLeavesOneListEntry();
    void plusReportsAFailedWrite();

    // ------------------------------------------------------------ small commands
    void statusShowsTextAndColour();
    void periodBoxRefusesEditing();
    void helpOpensTheWindowOfTheLanguage();
    void aboutBoxShowsTheVersionLabelOfTheLanguage();
    void failingCommandShowsItsErrorAndTheProgramGoesOn();
    void closingWithNothingShownWritesTheSettings();
};

// ------------------------------------------------------------ start-up

void TestMainWindow::startsInEnglishWithoutAUsableConfig_data() {
    QTest::addColumn<bool>("present");
    QTest::addColumn<QByteArray>("config");
    QTest::addColumn<QString>("company");
    // Files that would start in Polish with a name if they were read.
    const QByteArray polish = WindowFixture::MakeConfig(0, "Firma");
    QTest::newRow("no config.cfg") << false << QByteArray() << QString();
    QTest::newRow("122 bytes") << true << polish.left(122) << QString();
    QTest::newRow("124 bytes") << true << (polish + '\0') << QString();
    // A language byte the program never writes is taken as English; the
    // file itself is used.
    QTest::newRow("language byte 7")
        << true << WindowFixture::MakeConfig(7, "Firma") << QStringLiteral("Firma");
}

void TestMainWindow::startsInEnglishWithoutAUsableConfig() {
    QFETCH(bool, present);
    QFETCH(QByteArray, config);
    QFETCH(QString, company);
    auto fx = present ? std::make_unique<WindowFixture>(config) : std::make_unique<WindowFixture>();
    TForm1& form = fx->Form();

    QCOMPARE(form.InterfaceLanguage, std::uint8_t{1});
    QCOMPARE(form.Label1->text(), QStringLiteral("Welder disconnected"));
    QCOMPARE(Foreground(form.Label1), tav::colors::clWhite());
    QCOMPARE(Background(form.Label1), tav::colors::clRed());
    QCOMPARE(Background(form.ToolBar1), tav::colors::clRed());
    QCOMPARE(form.ComboBox1->currentText(), company);
    QCOMPARE(form.ComboBox1->count(), company.isEmpty() ? 0 : 1);
    QCOMPARE(form.SpeedButton1->toolTip(), QStringLiteral("Clear screen"));
    QCOMPARE(form.Plik1->title(), QStringLiteral("File"));
    QCOMPARE(form.GridModel->headerData(0, Qt::Horizontal, Qt::DisplayRole).toString(),
             tav::FromCp1250(tav::records::ColumnHeadings()[1][0]));
    QCOMPARE(form.StatusPanelText(0), QString());
    QVERIFY(fx->Platform().Messages().empty());
    // Start-up only reads the file.
    QCOMPARE(fx->ReadConfig(), config);
    QCOMPARE(QFileInfo::exists(fx->ConfigPath()), present);

    // The rest of the window as constructed.
    QCOMPARE(form.windowTitle(), QStringLiteral("Tavelin"));
    QCOMPARE(form.Label7->text(), QStringLiteral("Tavelin 3.2"));
    QVERIFY(!form.Connected);
    QCOMPARE(form.DocumentLanguage, std::int8_t{-1});
    QVERIFY(!form.DataModified);
    QVERIFY(!form.TableEditMode);
    QVERIFY(!form.Port.IsOpen());
    QCOMPARE(form.Port.GetPortName(), std::string("COM5"));
    QCOMPARE(ViewElementsOn(form), QStringList{"Label7"});
    QCOMPARE(ConnectionElementsOn(form), QStringList());
}

void TestMainWindow::startsInPolishWithTheStoredCompanyName() {
    const QString name = U("Zakład Usług Spawalniczych Łódź");
    const std::string bytes = tav::cp1250::FromUtf8(name.toStdString());
    QCOMPARE(bytes.size(), std::size_t(name.size()));  // one byte a letter
    WindowFixture fx(WindowFixture::MakeConfig(0, bytes));
    TForm1& form = fx.Form();

    QCOMPARE(form.InterfaceLanguage, std::uint8_t{0});
    QCOMPARE(form.ComboBox1->currentText(), name);
    QCOMPARE(form.ComboBox1->count(), 1);
    QCOMPARE(form.ComboBox1->itemText(0), name);
    QCOMPARE(form.CompanyName(), bytes);
    QCOMPARE(form.Label1->text(), U("Zgrzewarka niepodłączona"));
    QCOMPARE(Foreground(form.Label1), tav::colors::clBlack());
    QCOMPARE(Background(form.Label1), tav::colors::clRed());
    QCOMPARE(form.SpeedButton1->toolTip(), U("Wyczyść ekran"));
    QCOMPARE(form.Plik1->title(), QStringLiteral("Plik"));
    QCOMPARE(form.GridModel->headerData(0, Qt::Horizontal, Qt::DisplayRole).toString(),
             tav::FromCp1250(tav::records::ColumnHeadings()[0][0]));
    QVERIFY(fx.Platform().Messages().empty());
}

void TestMainWindow::startCreatesTheNineWindows() {
    WindowFixture fx;
    tav::AppWindows& w = fx.Windows();
    const TForm1::Windows& attached = fx.Form().Others();
    QVERIFY(w.Form1 && w.Form2 && w.Wyszukaj && w.AboutBox && w.Postep && w.Form9 && w.Form10 &&
            w.HelpFormPolski && w.HelpFormEnglish);
    QCOMPARE(static_cast<void*>(attached.Form2), static_cast<void*>(w.Form2.get()));
    QCOMPARE(static_cast<void*>(attached.Wyszukaj), static_cast<void*>(w.Wyszukaj.get()));
    QCOMPARE(static_cast<void*>(attached.AboutBox), static_cast<void*>(w.AboutBox.get()));
    QCOMPARE(static_cast<void*>(attached.Postep), static_cast<void*>(w.Postep.get()));
    QCOMPARE(static_cast<void*>(attached.Form9), static_cast<void*>(w.Form9.get()));
    QCOMPARE(static_cast<void*>(attached.Form10), static_cast<void*>(w.Form10.get()));
    QCOMPARE(static_cast<void*>(attached.HelpFormPolski),
             static_cast<void*>(w.HelpFormPolski.get()));
    QCOMPARE(static_cast<void*>(attached.HelpFormEnglish),
             static_cast<void*>(w.HelpFormEnglish.get()));
    // None of them shows before the program shows the main window.
    for (QWidget* window : QApplication::topLevelWidgets()) {
        QVERIFY2(!window->isVisible(), qPrintable(window->objectName()));
    }
    fx.Show();
    QVERIFY(fx.Form().isMaximized());
}

void TestMainWindow::settingsFileIsTheOneInTheCurrentDirectory() {
    // The fixture's directory is the current one; the program's own start
    // names config.cfg without a path.
    WindowFixture fx(WindowFixture::MakeConfig(0, "Tutaj"));
    {
        tav::AppWindows run = tav::CreateAppWindows(fx.Platform());
        QCOMPARE(run.Form1->ComboBox1->currentText(), QStringLiteral("Tutaj"));
    }
    QDir dir(fx.Dir());
    QVERIFY(dir.mkdir(QStringLiteral("other")));
    QVERIFY(QDir::setCurrent(dir.filePath(QStringLiteral("other"))));
    tav::AppWindows run = tav::CreateAppWindows(fx.Platform());
    QCOMPARE(run.Form1->InterfaceLanguage, std::uint8_t{1});
    QCOMPARE(run.Form1->ComboBox1->currentText(), QString());
    run.Form1->ComboBox1->setEditText(QStringLiteral("Tam"));
    run.Form1->SpeedButton9->click();
    QCOMPARE(QFileInfo(dir.filePath(QStringLiteral("other/config.cfg"))).size(), 123);
    QCOMPARE(fx.ReadConfig(), WindowFixture::MakeConfig(0, "Tutaj"));
}

// ------------------------------------------------------------ controls

void TestMainWindow::everyControlExistsInItsPlace() {
    WindowFixture fx;
    TForm1& form = fx.Form();

    // ToolBar1 left to right, the status label last.
    const QStringList toolBar1 = {
        "SpeedButton1",  "SpeedButton2",  "SpeedButton3",  "PrintSetup1",    "SpeedButton5",
        "Label3",        "SpeedButton17", "SpeedButton10", "SpeedButton19",  "SpeedButton18",
        "SpeedButton15", "SpeedButton16", "SpeedButton20", "SpeedButton21",  "Label4",
        "SpeedButton8",  "Label6",        "SpeedButton7",  "SBPobierzOkres", "SBPobierzCalosc",
        "Label8",        "SBKasuj",       "Label5",        "SpeedButton12",  "SpeedButton11",
        "Label1"};
    const QStringList toolBar2 = {"Label2", "ComboBox1", "SpeedButton9",
                                  "Edit3",  "Panel1",    "Edit2"};
    const auto names = [](QWidget* bar) {
        QStringList found;
        QLayout* layout = bar->layout();
        for (int i = 0; i < layout->count(); ++i) {
            if (QWidget* w = layout->itemAt(i)->widget()) {
                found << w->objectName();
            }
        }
        return found;
    };
    QCOMPARE(names(fx.Control<QWidget>("ToolBar1")), toolBar1);
    QCOMPARE(names(fx.Control<QWidget>("ToolBar2")), toolBar2);
    for (const QString& name : toolBar1.mid(0, toolBar1.size() - 1)) {
        QWidget* w = fx.Control<QWidget>(name.toLatin1().constData());
        if (name.startsWith(QLatin1String("Label"))) {
            QCOMPARE(w->width(), 13);
        } else {
            const int width = name == QLatin1String("SpeedButton8")      ? 65
                              : name == QLatin1String("SBPobierzCalosc") ? 20
                                                                         : 25;
            QVERIFY2(qobject_cast<QToolButton*>(w) != nullptr, qPrintable(name));
            QCOMPARE(w->size(), QSize(width, 21));
        }
    }
    QVERIFY(form.SpeedButton21->isCheckable());
    QCOMPARE(form.SpeedButton9->text(), QStringLiteral("+"));
    QVERIFY(form.ComboBox1->isEditable());
    QVERIFY(form.Edit2->isReadOnly());
    QVERIFY(!form.Edit3->isReadOnly());

    // The rest of the window, top to bottom.
    for (const char* name :
         {"Grid", "Pulpit", "Label7", "PasekObjasnieniaOceny", "LabelObjZgrz1", "LabelObjZgrz2",
          "LabelObjZgrz3", "StatusBar", "MainMenu1", "PopupMenu1", "PopupMenuPulpit"}) {
        fx.Control<QWidget>(name);
    }
    QCOMPARE(form.GridModel->columnCount(), 17);
    QCOMPARE(Background(form.PasekObjasnieniaOceny), QColor(0xFF, 0xFF, 0xC6));
    QCOMPARE(Foreground(form.Label7), tav::colors::clTeal());
    QCOMPARE(Foreground(form.Label2), tav::colors::clBlue());
    QCOMPARE(Background(form.centralWidget()), tav::colors::clGray());

    // The menus: top items, then every menu's entries and separators.
    QStringList top;
    for (const QAction* a : form.MainMenu1->actions()) {
        top << (a->menu() != nullptr ? a->menu()->objectName() : a->objectName());
    }
    QCOMPARE(top, (QStringList{"Plik1", "Edycja1", "Narzdzia1", "Jzyk1", "Poczsizezgrzewark1",
                               "Pomoc1"}));
    QCOMPARE(EntryNames(form.Plik1), (QStringList{"N01", "N13", "N23", "N1", "N32", "N41", "N2",
                                                  "Podgldraportuzgrzewania1", "N9", "N51"}));
    QCOMPARE(EntryNames(form.Edycja1),
             (QStringList{"Kopiuj1", "Wklej1", "N3", "Znajd1", "Zastp1", "Zastpnazwlokalizacji1",
                          "N5", "Trybrcznejedycjitabeli1", "N6", "Usuzaz1"}));
    QCOMPARE(EntryNames(form.Narzdzia1),
             (QStringList{"N11", "N21", "N31", "N42", "Zmienazwlokalizacji1", "N10",
                          "Pobierzcazawartopamiciwpostacitekstowej1"}));
    QCOMPARE(EntryNames(form.Jzyk1), (QStringList{"Polski1", "Angielski1"}));
    QCOMPARE(EntryNames(form.Pomoc1), (QStringList{"N12", "N22"}));
    QCOMPARE(EntryNames(form.PopupMenu1), (QStringList{"w1", "N4", "Usuzaznaczonezgrzewy1"}));
    QCOMPARE(EntryNames(form.PopupMenuPulpit),
             (QStringList{"Kopiuj2", "Wklej2", "N7", "Znajd2", "Znajdizaspdowolnytekst1", "N8",
                          "Zaznaczwszystko1"}));
    for (const char* sep : {"N1", "N2", "N9", "N3", "N5", "N6", "N42", "N10", "N4", "N7", "N8"}) {
        QVERIFY2(fx.Control<QAction>(sep)->isSeparator(), sep);
    }
    QVERIFY(form.Poczsizezgrzewark1->menu() == nullptr);

    // The status bar's two panels.
    QCOMPARE(fx.Control<QWidget>("StatusPanel0")->width(), 400);
    QCOMPARE(fx.Control<QWidget>("StatusPanel1")->width(), 500);
}

void TestMainWindow::everyLanguageTextReachesItsControl() {
    // Every entry of the text tables names a real control, and after the
    // window is labelled each control carries the entry's text.
    WindowFixture fx;
    TForm1& form = fx.Form();
    for (std::uint8_t language : {std::uint8_t{0}, std::uint8_t{1}}) {
        form.InterfaceLanguage = language;
        form.ApplyInterfaceLanguage();
        for (const auto& table : {tav::text::ControlTexts(), tav::text::FixedControlTexts()}) {
            for (const tav::text::ControlText& t : table) {
                const QString name = QString::fromLatin1(t.name.data(), qsizetype(t.name.size()));
                QObject* target = form.findChild<QObject*>(name);
                QVERIFY2(target != nullptr, qPrintable(name));
                const QString expected = tav::text::ToQString(language == 1 ? t.en : t.pl);
                QString shown;
                if (t.role == tav::text::ControlRole::Hint) {
                    auto* widget = qobject_cast<QWidget*>(target);
                    QVERIFY2(widget != nullptr, qPrintable(name));
                    shown = widget->toolTip();
                } else if (auto* menu = qobject_cast<QMenu*>(target)) {
                    shown = menu->title();
                } else if (auto* action = qobject_cast<QAction*>(target)) {
                    shown = action->text();
                } else if (auto* label = qobject_cast<QLabel*>(target)) {
                    shown = label->text();
                } else if (auto* button = qobject_cast<QAbstractButton*>(target)) {
                    shown = button->text();
                }
                if (t.role == tav::text::ControlRole::CaptionHint) {
                    const QString source =
                        QString::fromLatin1(t.hintOf.data(), qsizetype(t.hintOf.size()));
                    auto* button = form.findChild<QWidget*>(source);
                    QVERIFY2(button != nullptr, qPrintable(source));
                    QVERIFY(!button->toolTip().isEmpty());
                    QCOMPARE(shown, button->toolTip());
                } else {
                    QCOMPARE(shown, expected);
                }
            }
        }
    }
    // A few texts as the user reads them, spacing included.
    QCOMPARE(form.LabelObjZgrz2->text(),
             QStringLiteral("(+) Fusion correct,  accepted by pressing the OK key.     (-) "
                            "Fusion  not accepted by the user."));
    QCOMPARE(form.Edit2->toolTip(),
             QStringLiteral("Period of time of the data downloaded form the welder"));
    QCOMPARE(form.Poczsizezgrzewark1->text(), QStringLiteral("Connect to the welder"));
    form.InterfaceLanguage = 0;
    form.ApplyInterfaceLanguage();
    QCOMPARE(form.LabelObjZgrz2->text(),
             U("(+) zgrzew prawidłowy zaakceptowany klawiszem TAK.     (-) brak akceptacji "
               "zgrzewu klawiszem. "));
    QCOMPARE(form.SpeedButton5->toolTip(), QStringLiteral("Drukj raport"));
    QCOMPARE(form.Poczsizezgrzewark1->text(), U("Połącz się ze zgrzewarką"));
    QCOMPARE(form.N22->text(), QStringLiteral("O Programie"));
}

void TestMainWindow::viewModesSetEveryControlOfTheirTable_data() {
    QTest::addColumn<int>("mode");
    QTest::addColumn<QStringList>("on");
    QTest::newRow("EmptyView") << int(Mode::Empty) << QStringList{"Label7"};
    QTest::newRow("TextView after a download")
        << int(Mode::TextDownloaded)
        << (kTextViewCommon +
            QStringList{"PrintSetup1", "SpeedButton5", "Trybrcznejedycjitabeli1", "Usuzaz1"});
    QTest::newRow("TextView of an opened file") << int(Mode::TextOpened) << kTextViewCommon;
    QTest::newRow("TableView with records")
        << int(Mode::TableWithRecords) << (kTableViewCommon + QStringList{"SpeedButton3", "N23"});
    QTest::newRow("TableView without records")
        << int(Mode::TableWithoutRecords) << kTableViewCommon;
}

void TestMainWindow::viewModesSetEveryControlOfTheirTable() {
    QFETCH(int, mode);
    QFETCH(QStringList, on);
    on.sort();
    WindowFixture fx;
    TForm1& form = fx.Form();
    // Whatever mode came before, the helper leaves its whole table row.
    for (int before = 0; before <= int(Mode::TableWithoutRecords); ++before) {
        Enter(form, Mode(before));
        const bool printTools = TForm1::IsShown(form.PrintSetup1);
        Enter(form, Mode(mode));
        QStringList shown = ViewElementsOn(form);
        if (Mode(mode) == Mode::TextOpened) {
            // Opening a text report leaves the print tools as they were.
            QCOMPARE(TForm1::IsShown(form.PrintSetup1), printTools);
            QCOMPARE(TForm1::IsShown(form.SpeedButton5), printTools);
            shown.removeAll(QStringLiteral("PrintSetup1"));
            shown.removeAll(QStringLiteral("SpeedButton5"));
        }
        shown.sort();
        QVERIFY2(shown == on, qPrintable(QStringLiteral("after mode %1: ").arg(before) +
                                         shown.join(QLatin1Char(' '))));
        // The view modes leave the connection state alone.
        QCOMPARE(ConnectionElementsOn(form), QStringList());
    }
}

void TestMainWindow::tableFillsTheClientArea() {
    WindowFixture fx;
    fx.Show();
    TForm1& form = fx.Form();
    form.EnterTableView(true);
    QApplication::processEvents();
    QCOMPARE(form.Grid->geometry(), form.Grid->parentWidget()->rect());
    QVERIFY(form.PasekObjasnieniaOceny->isVisible());
    QCOMPARE(form.PasekObjasnieniaOceny->height(), 42);
    // The legend lies below the table.
    QVERIFY(form.Grid->mapTo(&form, QPoint(0, form.Grid->height())).y() <=
            form.PasekObjasnieniaOceny->mapTo(&form, QPoint(0, 0)).y());
    form.EnterTextView(true);
    QApplication::processEvents();
    QCOMPARE(form.Pulpit->geometry(), form.Pulpit->parentWidget()->rect());
    QVERIFY(!form.Grid->isVisible());

    // The windows can go while the table and its headings are on screen.
    form.EnterTableView(true);
    QApplication::processEvents();
    fx.Restart();
    QCOMPARE(ViewElementsOn(fx.Form()), QStringList{"Label7"});
}

void TestMainWindow::connectionStatesSetEveryControlOfTheirTable_data() {
    QTest::addColumn<int>("language");
    QTest::addColumn<int>("state");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QColor>("background");
    QTest::addColumn<QColor>("text");
    const QStringList shown = {"SpeedButton7", "SBPobierzOkres", "SBPobierzCalosc", "SBKasuj"};
    QTest::newRow("not connected, English")
        << 1 << int(State::NotConnected) << QStringLiteral("Welder disconnected")
        << tav::colors::clRed() << tav::colors::clWhite();
    QTest::newRow("not connected, Polish")
        << 0 << int(State::NotConnected) << U("Zgrzewarka niepodłączona") << tav::colors::clRed()
        << tav::colors::clBlack();
    QTest::newRow("connected, English")
        << 1 << int(State::Connected) << QStringLiteral("Welder connected") << tav::colors::clLime()
        << tav::colors::clBlack();
    QTest::newRow("connected, Polish") << 0 << int(State::Connected) << U("Zgrzewarka podłączona")
                                       << tav::colors::clLime() << tav::colors::clBlack();
    // Searching leaves the label to the port attempts: it keeps what the
    // test painted before.
    QTest::newRow("searching") << 1 << int(State::Searching) << QStringLiteral("port attempt")
                               << tav::colors::clYellow() << tav::colors::clNavy();
}

void TestMainWindow::connectionStatesSetEveryControlOfTheirTable() {
    QFETCH(int, language);
    QFETCH(int, state);
    QFETCH(QString, caption);
    QFETCH(QColor, background);
    QFETCH(QColor, text);
    WindowFixture fx;
    TForm1& form = fx.Form();
    form.InterfaceLanguage = std::uint8_t(language);
    form.ApplyInterfaceLanguage();
    for (State before : {State::NotConnected, State::Searching, State::Connected}) {
        form.EnterConnectionState(before);
        form.Label1->setText(QStringLiteral("port attempt"));
        QPalette palette = form.Label1->palette();
        palette.setColor(QPalette::WindowText, tav::colors::clNavy());
        form.Label1->setPalette(palette);
        form.ShowStatus(QStringLiteral("panel"), tav::colors::clYellow());
        form.EnterConnectionState(State(state));

        const bool connected = State(state) == State::Connected;
        QCOMPARE(form.Connected, connected);
        QCOMPARE(ConnectionElementsOn(form),
                 connected ? (QStringList{"SpeedButton7", "SBPobierzOkres", "SBPobierzCalosc",
                                          "SBKasuj", "Narzdzia1"})
                           : QStringList());
        QCOMPARE(form.Label1->text(), caption);
        QCOMPARE(Background(form.Label1), background);
        QCOMPARE(Background(form.ToolBar1), background);
        QCOMPARE(Foreground(form.Label1), text);
        // Panel 0 keeps the text of the last port attempt.
        QCOMPARE(form.StatusPanelText(0), QStringLiteral("panel"));
        // The connection states leave the view mode alone.
        QCOMPARE(ViewElementsOn(form), QStringList{"Label7"});
    }
}

// ------------------------------------------------------------ languages

void TestMainWindow::switchingLanguageRemindsOnceInTheNewLanguage() {
    WindowFixture fx;  // English, no config.cfg
    TForm1& form = fx.Form();
    auto& platform = fx.Platform();
    form.ComboBox1->setEditText(U("Spaw-Bud Kraków"));
    QString titleBehindTheBox;
    platform.OnMessage(
        [&](const tav::test::ShownMessage&) { titleBehindTheBox = form.Plik1->title(); });

    form.SpeedButton12->click();  // Polish, through the button
    QCOMPARE(platform.MessageTexts(),
             QStringList{U("Zanim pobierzesz dane ze zgrzewarki, nie zapomnij zmienić język "
                           "zgrzewaki na polski!")});
    QCOMPARE(platform.Messages()[0].kind, tav::MsgKind::Information);
    QCOMPARE(platform.Messages()[0].buttons, unsigned(tav::kBtnOk));
    QCOMPARE(titleBehindTheBox, QStringLiteral("File"));  // still the old captions
    QCOMPARE(form.InterfaceLanguage, std::uint8_t{0});
    QCOMPARE(form.Plik1->title(), QStringLiteral("Plik"));
    QCOMPARE(form.Label1->text(), U("Zgrzewarka niepodłączona"));
    QCOMPARE(Foreground(form.Label1), tav::colors::clBlack());
    QByteArray expected = WindowFixture::MakeConfig(0, "Spaw-Bud Krak\xF3w");
    QCOMPARE(fx.ReadConfig(), expected);

    // The language in force: no reminder, the file is still written.
    platform.ClearMessages();
    fx.RemoveConfig();
    form.Polski1->trigger();
    QVERIFY(platform.Messages().empty());
    QCOMPARE(fx.ReadConfig(), expected);

    form.Angielski1->trigger();  // English, through the menu
    QCOMPARE(platform.MessageTexts(),
             QStringList{"Before you download data from the welder don't forget to change "
                         "welder's language to english!"});
    QCOMPARE(titleBehindTheBox, QStringLiteral("Plik"));
    QCOMPARE(form.Plik1->title(), QStringLiteral("File"));
    QCOMPARE(Foreground(form.Label1), tav::colors::clWhite());
    expected[0] = 1;
    QCOMPARE(fx.ReadConfig(), expected);

    platform.ClearMessages();
    fx.RemoveConfig();
    form.SpeedButton11->click();
    QVERIFY(platform.Messages().empty());
    QCOMPARE(fx.ReadConfig(), expected);

    // The next run starts in the language chosen last.
    platform.OnMessage({});
    fx.Restart();
    QCOMPARE(fx.Form().InterfaceLanguage, std::uint8_t{1});
    QCOMPARE(fx.Form().ComboBox1->currentText(), U("Spaw-Bud Kraków"));
}

void TestMainWindow::toolsMenuReadsAsTheButtonHints() {
    WindowFixture fx;
    TForm1& form = fx.Form();
    const std::pair<QAction*, QWidget*> pairs[] = {
        {form.N11, form.SpeedButton7},
        {form.N21, form.SBPobierzOkres},
        {form.N31, form.SBPobierzCalosc},
        {form.Zmienazwlokalizacji1, form.SBKasuj},
    };
    for (std::uint8_t language : {std::uint8_t{1}, std::uint8_t{0}, std::uint8_t{1}}) {
        form.InterfaceLanguage = language;
        form.ApplyInterfaceLanguage();
        for (const auto& [item, button] : pairs) {
            QCOMPARE(item->text(), button->toolTip());
        }
    }
    QCOMPARE(EntryTexts(form.Narzdzia1),
             (QStringList{"Get all fusion data as text",
                          "Load table with memory entries from a given time period",
                          "Load table with all fusion data", "Clear memory",
                          "Download welder memory as text"}));
    form.InterfaceLanguage = 0;
    form.ApplyInterfaceLanguage();
    QCOMPARE(EntryTexts(form.Narzdzia1),
             (QStringList{U("Pobierz wszystkie zgrzewy w postaci tekstowej"),
                          U("Pobierz zawartość pamięci z wybranego okresu do tabeli"),
                          U("Pobierz całą zawartość pamięci do tabeli"),
                          U("Skasuj całą zawartość pamięci"),
                          U("Pobierz całą zawartość pamięci w postaci tekstowej")}));
}

void TestMainWindow::contextMenusAndCompanyLabelStayPolish() {
    WindowFixture fx;
    TForm1& form = fx.Form();
    for (std::uint8_t language : {std::uint8_t{1}, std::uint8_t{0}, std::uint8_t{1}}) {
        form.InterfaceLanguage = language;
        form.ApplyInterfaceLanguage();
        QCOMPARE(EntryTexts(form.PopupMenu1),
                 (QStringList{U("Tryb ręcznej edycji tabeli"), U("Usuń zaznaczone zgrzewy")}));
        QCOMPARE(EntryTexts(form.PopupMenuPulpit),
                 (QStringList{"Kopiuj", "Wklej", U("Znajdź"), U("Zastąp dowolny tekst"),
                              "Zaznacz wszystko"}));
        QCOMPARE(form.Label2->text(), QStringLiteral("  Firma:   "));
        QCOMPARE(EntryTexts(form.Jzyk1), (QStringList{"Polski", "English"}));
        QCOMPARE(form.SpeedButton12->toolTip(), QStringLiteral("Interfejs polski"));
        QCOMPARE(form.SpeedButton11->toolTip(), QStringLiteral("English interface"));
    }
}

void TestMainWindow::languageSwitchKeepsTheConnectionPanelOfAnOpenPort() {
    tav::test::SimHarness sim;  // publishes its ports directory
    sim.AddSilentDevice(4);
    WindowFixture fx(WindowFixture::MakeConfig(0, ""));
    TForm1& form = fx.Form();
    form.Port.SetPortName("COM4");
    form.Port.Open();
    form.EnterConnectionState(State::Connected);
    form.ShowStatus(tav::text::Q(tav::text::Id::StatusWelderConnected, 0), tav::colors::clLime());

    form.Angielski1Click();
    QCOMPARE(form.Label1->text(), QStringLiteral("Welder connected"));
    QCOMPARE(form.StatusPanelText(0), U(" Zgrzewarka podłączona..."));

    // With the port closed the panel is emptied when the window is relabelled.
    form.Port.Close();
    form.Polski1Click();
    QCOMPARE(form.StatusPanelText(0), QString());
    QCOMPARE(form.Label1->text(), U("Zgrzewarka podłączona"));
}

void TestMainWindow::messagesFollowTheInterfaceLanguage_data() {
    QTest::addColumn<int>("language");
    QTest::addColumn<QStringList>("shown");
    QTest::newRow("Polish") << 0 << QStringList{"pl"};
    QTest::newRow("English") << 1 << QStringList{"en"};
    QTest::newRow("language 2") << 2 << QStringList();
    QTest::newRow("language 255") << 255 << QStringList();
}

void TestMainWindow::messagesFollowTheInterfaceLanguage() {
    QFETCH(int, language);
    QFETCH(QStringList, shown);
    WindowFixture fx;
    fx.Form().InterfaceLanguage = std::uint8_t(language);
    fx.Form().ShowMessageInLanguage(QStringLiteral("pl"), QStringLiteral("en"),
                                    tav::MsgKind::Warning);
    QCOMPARE(fx.Platform().MessageTexts(), shown);
    for (const auto& m : fx.Platform().Messages()) {
        QCOMPARE(m.kind, tav::MsgKind::Warning);
        QCOMPARE(m.buttons, unsigned(tav::kBtnOk));
    }
}

// ------------------------------------------------------------ company name

void TestMainWindow::companyNameIsStoredInAtMost100Bytes_data() {
    QTest::addColumn<QByteArray>("typed");
    QTest::addColumn<QByteArray>("stored");
    const std::string hundred = HundredByteName();
    QTest::newRow("empty") << QByteArray() << QByteArray();
    QTest::newRow("100 bytes") << QByteArray::fromStdString(hundred)
                               << QByteArray::fromStdString(hundred);
    QTest::newRow("101 bytes") << QByteArray::fromStdString(hundred + "Z")
                               << QByteArray::fromStdString(hundred);
    QTest::newRow("150 bytes") << QByteArray(150, 'k') << QByteArray(100, 'k');
}

void TestMainWindow::companyNameIsStoredInAtMost100Bytes() {
    QFETCH(QByteArray, typed);
    QFETCH(QByteArray, stored);
    WindowFixture fx;
    fx.Form().ComboBox1->setEditText(tav::FromCp1250(typed.toStdString()));
    fx.Form().SpeedButton9->click();
    QCOMPARE(fx.Platform().MessageTexts(), QStringList{"Company name saved!"});
    QCOMPARE(fx.Platform().Messages()[0].kind, tav::MsgKind::Information);

    const QByteArray file = fx.ReadConfig();
    QCOMPARE(file.size(), 123);
    QCOMPARE(file[0], '\x01');
    QCOMPARE(file.mid(21, 100), stored + QByteArray(100 - stored.size(), '\0'));

    fx.Restart();
    const QString name = tav::FromCp1250(stored.toStdString());
    QCOMPARE(fx.Form().ComboBox1->currentText(), name);
    QCOMPARE(fx.Form().ComboBox1->count(), 1);
    QCOMPARE(fx.Form().ComboBox1->itemText(0), name);
}

void TestMainWindow::savingKeepsTheReservedBytes() {
    WindowFixture fx(WindowFixture::MakeConfig(0, "Stara nazwa", '\x5A'));
    fx.Form().ComboBox1->setEditText(QStringLiteral("Nowa"));
    fx.Form().SpeedButton9->click();
    fx.Form().Angielski1Click();
    QByteArray expected = WindowFixture::MakeConfig(1, "Nowa", '\x5A');
    QCOMPARE(fx.ReadConfig(), expected);
    // No file but config.cfg is left in the directory.
    QCOMPARE(QDir(fx.Dir()).entryList(QDir::Files | QDir::Hidden), QStringList{"config.cfg"});
}

void TestMainWindow::plusTwiceLeavesOneListEntry() {
    WindowFixture fx;
    TForm1& form = fx.Form();
    for (const char* name : {"Alfa", "Beta"}) {
        form.ComboBox1->setEditText(QString::fromLatin1(name));
        form.SpeedButton9->click();
    }
    QCOMPARE(form.ComboBox1->count(), 1);
    QCOMPARE(form.ComboBox1->itemText(0), QStringLiteral("Beta"));
    QCOMPARE(form.ComboBox1->currentText(), QStringLiteral("Beta"));
    QCOMPARE(fx.Platform().MessageTexts(),
             (QStringList{"Company name saved!", "Company name saved!"}));
}

void TestMainWindow::plusReportsAFailedWrite() {
    WindowFixture fx(WindowFixture::MakeConfig(0, "Stara"));
    // config.cfg cannot be replaced: a directory stands in its place.
    fx.RemoveConfig();
    QVERIFY(QDir(fx.Dir()).mkdir(QStringLiteral("config.cfg")));
    fx.Form().ComboBox1->setEditText(QStringLiteral("Nowa"));
    fx.Form().SpeedButton9->click();
    QCOMPARE(fx.Platform().MessageTexts(),
             QStringList{U("Nie można zapisać nazwy firmy! Błąd zapisu pliku config.cfg.")});
    QCOMPARE(fx.Platform().Messages()[0].kind, tav::MsgKind::Error);
    QVERIFY(QFileInfo(fx.ConfigPath()).isDir());
    QCOMPARE(QDir(fx.Dir()).entryList(QDir::Files | QDir::Hidden), QStringList());
}

// ------------------------------------------------------------ small commands

void TestMainWindow::statusShowsTextAndColour() {
    WindowFixture fx;
    TForm1& form = fx.Form();
    form.ShowStatus(QStringLiteral("Welder connected..."), tav::colors::clLime());
    QCOMPARE(form.StatusPanelText(0), QStringLiteral("Welder connected..."));
    QCOMPARE(Background(form.Label1), tav::colors::clLime());
    QCOMPARE(Background(form.ToolBar1), tav::colors::clLime());
    QCOMPARE(form.Label1->text(), QStringLiteral("Welder disconnected"));  // caption untouched
}

void TestMainWindow::periodBoxRefusesEditing() {
    WindowFixture fx(WindowFixture::MakeConfig(0, ""));
    fx.Show();
    TForm1& form = fx.Form();
    form.EnterTableView(true);
    form.Edit2->setText(QStringLiteral("2009-01-01 2009-05-04"));
    QApplication::processEvents();
    QTest::mouseDClick(form.Edit2, Qt::LeftButton);
    QCOMPARE(fx.Platform().MessageTexts(), QStringList{U("Tych informacji nie można edytować!")});
    QCOMPARE(fx.Platform().Messages()[0].kind, tav::MsgKind::Information);
    QCOMPARE(form.Edit2->text(), QStringLiteral("2009-01-01 2009-05-04"));
}

void TestMainWindow::helpOpensTheWindowOfTheLanguage() {
    WindowFixture fx(WindowFixture::MakeConfig(0, ""));
    TForm1& form = fx.Form();
    QWidget* polish = fx.Windows().HelpFormPolski.get();
    QWidget* english = fx.Windows().HelpFormEnglish.get();
    QScrollBar* polishBar = fx.Windows().HelpFormPolski->ScrollBox->verticalScrollBar();
    QScrollBar* englishBar = fx.Windows().HelpFormEnglish->ScrollBox->verticalScrollBar();

    QWidget* opened = nullptr;
    int positionAtShowing = -1;
    const auto openHelp = [&](int scrollTo) {
        WhenModalShows([&, scrollTo](QWidget* modal) {
            opened = modal;
            auto* bar = modal == polish ? polishBar : englishBar;
            positionAtShowing = bar->value();
            bar->setValue(scrollTo);
        });
        form.N12->trigger();
    };

    openHelp(900);
    QCOMPARE(opened, polish);
    QCOMPARE(positionAtShowing, 0);
    openHelp(0);
    QCOMPARE(opened, polish);
    QCOMPARE(positionAtShowing, 0);  // back at the title

    form.Angielski1Click();
    openHelp(700);
    QCOMPARE(opened, english);
    QCOMPARE(positionAtShowing, 0);
    openHelp(0);
    QCOMPARE(opened, english);
    QCOMPARE(positionAtShowing, 700);  // where it was left
    QVERIFY(!polish->isVisible() && !english->isVisible());
}

void TestMainWindow::aboutBoxShowsTheVersionLabelOfTheLanguage() {
    WindowFixture fx(WindowFixture::MakeConfig(0, ""));
    TForm1& form = fx.Form();
    QString version;
    QWidget* opened = nullptr;
    const auto openAbout = [&] {
        WhenModalShows([&](QWidget* modal) {
            opened = modal;
            version = static_cast<TAboutBox*>(modal)->Version->text();
        });
        form.N22->trigger();
    };
    openAbout();
    QCOMPARE(opened, static_cast<QWidget*>(fx.Windows().AboutBox.get()));
    QCOMPARE(version, QStringLiteral("Wersja:"));
    form.Angielski1Click();
    openAbout();
    QCOMPARE(version, QStringLiteral("Version:"));
}

void TestMainWindow::failingCommandShowsItsErrorAndTheProgramGoesOn() {
    tav::test::SimHarness sim;  // COM9 is not published: opening it fails
    WindowFixture fx;
    TForm1& form = fx.Form();
    auto& platform = fx.Platform();
    form.ComboBox1->setEditText(QStringLiteral("Firma"));

    form.Port.SetPortName("COM9");
    form.RunCommand([&] {
        form.ComboBox1->setEditText(QStringLiteral("changed before the failure"));
        form.Port.Open();
    });
    QCOMPARE(platform.MessageTexts(),
             QStringList{"Serial port error 8: No such file or directory"});
    QCOMPARE(platform.Messages()[0].kind, tav::MsgKind::Error);
    QCOMPARE(platform.Messages()[0].buttons, unsigned(tav::kBtnOk));
    // The window keeps what the command had done.
    QCOMPARE(form.ComboBox1->currentText(), QStringLiteral("changed before the failure"));
    QVERIFY(!form.Port.IsOpen());

    // The program goes on: the next commands run, and the box speaks the
    // interface language.
    platform.ClearMessages();
    form.SpeedButton12->click();
    QCOMPARE(form.InterfaceLanguage, std::uint8_t{0});
    QCOMPARE(platform.Messages().size(), std::size_t{1});
    platform.ClearMessages();
    form.RunCommand([&] { form.Port.Open(); });
    form.RunCommand([] { throw std::runtime_error("brak pamięci"); });
    // A command that switched the language before failing: the box speaks
    // the new one.
    form.RunCommand([&] {
        form.InterfaceLanguage = 1;
        form.Port.Open();
    });
    form.InterfaceLanguage = 0;
    QCOMPARE(platform.MessageTexts(),
             (QStringList{U("Błąd portu szeregowego 8: No such file or directory"),
                          U("Nieoczekiwany błąd: brak pamięci"),
                          "Serial port error 8: No such file or directory"}));

    // While a welder command runs, the other commands are refused.
    platform.ClearMessages();
    fx.RemoveConfig();
    {
        TForm1::LongCommand running(form);
        form.Angielski1->trigger();
        form.Polski1->trigger();
    }
    QVERIFY(platform.Messages().empty());
    QVERIFY(!QFileInfo::exists(fx.ConfigPath()));
    QCOMPARE(form.InterfaceLanguage, std::uint8_t{0});
    QVERIFY(form.ToolBar1->isEnabled());

    // The menus come back as the command left them, not all enabled: the
    // Edit menu of the empty view stays disabled, and a menu the command
    // changed keeps its new state.
    form.EnterEmptyView();
    form.EnterConnectionState(TForm1::ConnectionState::NotConnected);
    {
        TForm1::LongCommand running(form);
        TForm1::SetMenuEnabled(form.Plik1, false);
    }
    QVERIFY(!TForm1::IsMenuEnabled(form.Edycja1));
    QVERIFY(!form.Edycja1->menuAction()->isEnabled());
    QVERIFY(!form.Plik1->menuAction()->isEnabled());
    QVERIFY(form.Pomoc1->menuAction()->isEnabled());
    TForm1::SetMenuEnabled(form.Plik1, true);
}

void TestMainWindow::closingWithNothingShownWritesTheSettings() {
    WindowFixture fx;
    fx.Show();
    fx.Form().ComboBox1->setEditText(QStringLiteral("Firma"));
    fx.Form().N51->trigger();
    QVERIFY(!fx.Form().isVisible());
    QCOMPARE(fx.ReadConfig(), WindowFixture::MakeConfig(1, "Firma"));
    QVERIFY(fx.Platform().Messages().empty());
}

QTEST_MAIN(TestMainWindow)
#include "test_main_window.moc"
