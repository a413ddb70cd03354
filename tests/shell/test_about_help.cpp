// The about box and the two help windows, as real widgets under the offscreen
// platform, and every picture and glyph resource of the program.
#include <memory>
#include <vector>

#include <QIcon>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QSvgRenderer>
#include <QTextEdit>
#include <QtTest>

#include "platform/PlatformService.h"
#include "platform/QtText.h"
#include "shell/AboutBox.h"
#include "shell/HelpForms.h"

using tav::U8;

namespace {

// Records the desktop's open actions; any dialog counts as unexpected.
class FakePlatform : public tav::PlatformService {
  public:
    struct ShellCall {
        QString verb;
        QString file;
    };
    std::vector<ShellCall> shellCalls;
    int shellResult = 42;
    int dialogs = 0;

    tav::Answer MessageDialog(const QString&, tav::MsgKind, unsigned) override {
        ++dialogs;
        return tav::Answer::None;
    }
    int MessageBox(const QString&, const QString&, unsigned) override {
        ++dialogs;
        return 0;
    }
    std::optional<QString> SaveFileDialog(tav::FileDialogSettings&) override {
        ++dialogs;
        return std::nullopt;
    }
    std::optional<QString> OpenFileDialog(tav::FileDialogSettings&) override {
        ++dialogs;
        return std::nullopt;
    }
    bool PrintDialog(QPrinter&) override {
        ++dialogs;
        return false;
    }
    bool PrinterSetupDialog(QPrinter&) override {
        ++dialogs;
        return false;
    }
    int ShellExecute(const QString& verb, const QString& file) override {
        shellCalls.push_back({verb, file});
        return shellResult;
    }
    void ProcessMessages(bool) override {}
};

std::unique_ptr<QDialog> MakeHelp(const QString& which) {
    if (which == "polish") {
        return std::make_unique<THelpFormPolski>();
    }
    return std::make_unique<THelpFormEnglish>();
}

QScrollArea* ScrollBoxOf(QDialog* help) {
    if (auto* polish = qobject_cast<THelpFormPolski*>(help)) {
        return polish->ScrollBox;
    }
    return qobject_cast<THelpFormEnglish*>(help)->ScrollBox;
}

// A label shows all of its text in the space it was given.
bool LabelFits(const QLabel* label) {
    if (label->wordWrap()) {
        return label->heightForWidth(label->width()) <= label->height();
    }
    const QSize hint = label->sizeHint();
    return hint.width() <= label->width() && hint.height() <= label->height();
}

// Checks that the children of `parent` stay inside it, do not overlap one
// another and show their whole text, and the same inside every child.
void CheckLaidOut(const QWidget* parent) {
    const auto children = parent->findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
    for (qsizetype i = 0; i < children.size(); ++i) {
        const QWidget* child = children[i];
        if (child->isHidden() || child->inherits("QScrollBar")) {
            continue;
        }
        const QString where = parent->objectName() + "/" + child->objectName() + " " +
                              (qobject_cast<const QLabel*>(child)
                                   ? qobject_cast<const QLabel*>(child)->text().left(40)
                                   : QString(child->metaObject()->className()));
        QVERIFY2(parent->rect().contains(child->geometry()), qPrintable("outside: " + where));
        if (const auto* label = qobject_cast<const QLabel*>(child)) {
            if (!label->text().isEmpty()) {
                QVERIFY2(LabelFits(label), qPrintable("text cut off: " + where));
            }
        }
        for (qsizetype j = i + 1; j < children.size(); ++j) {
            if (!children[j]->isHidden() && !children[j]->inherits("QScrollBar")) {
                QVERIFY2(!child->geometry().intersects(children[j]->geometry()),
                         qPrintable("overlaps: " + where));
            }
        }
        if (!child->inherits("QTextEdit")) {
            CheckLaidOut(child);
        }
    }
}

}  // namespace

class TestAboutHelp : public QObject {
    Q_OBJECT

  private slots:
    void versionLabelsFollowTheLanguageAtEachShowing_data();
    void versionLabelsFollowTheLanguageAtEachShowing();
    void mailLinkOpensANewMail_data();
    void mailLinkOpensANewMail();
    void okClosesTheAboutBox_data();
    void okClosesTheAboutBox();
    void aboutBoxShowsAllOfItsTexts_data();
    void aboutBoxShowsAllOfItsTexts();

    void helpWindowSettings_data();
    void helpWindowSettings();
    void scrollPositionWhenShownAgain_data();
    void scrollPositionWhenShownAgain();
    void manualHasItsHeadingsAndCaptions_data();
    void manualHasItsHeadingsAndCaptions();
    void manualFitsItsPage_data();
    void manualFitsItsPage();
    void manualTextBoxesTakeTyping_data();
    void manualTextBoxesTakeTyping();

    void resourcesLoad_data();
    void resourcesLoad();
};

void TestAboutHelp::versionLabelsFollowTheLanguageAtEachShowing_data() {
    QTest::addColumn<QList<int>>("languages");
    QTest::addColumn<QStringList>("captions");
    QTest::newRow("Polish") << QList<int>{0} << QStringList{"Wersja:"};
    QTest::newRow("English") << QList<int>{1} << QStringList{"Version:"};
    QTest::newRow("other value reads English") << QList<int>{7} << QStringList{"Version:"};
    QTest::newRow("switched between showings")
        << QList<int>{0, 1, 0} << QStringList{"Wersja:", "Version:", "Wersja:"};
}

void TestAboutHelp::versionLabelsFollowTheLanguageAtEachShowing() {
    QFETCH(QList<int>, languages);
    QFETCH(QStringList, captions);
    FakePlatform platform;
    std::uint8_t language = 0;
    TAboutBox box(platform, language);
    QCOMPARE(box.Label2->text(), QString("3.2"));
    for (qsizetype i = 0; i < languages.size(); ++i) {
        language = static_cast<std::uint8_t>(languages[i]);
        box.show();
        QCOMPARE(box.Version->text(), captions[i]);
        QCOMPARE(box.Label2->text(), QString("3.2"));
        QCOMPARE(box.windowTitle(), QString("O programie"));
        box.hide();
    }
}

void TestAboutHelp::mailLinkOpensANewMail_data() {
    QTest::addColumn<int>("shellResult");
    QTest::newRow("mail client opens") << 42;
    QTest::newRow("no mail client") << 2;
}

void TestAboutHelp::mailLinkOpensANewMail() {
    QFETCH(int, shellResult);
    FakePlatform platform;
    platform.shellResult = shellResult;
    std::uint8_t language = 1;
    TAboutBox box(platform, language);
    box.show();
    QCOMPARE(box.Label1->cursor().shape(), Qt::PointingHandCursor);
    QVERIFY(box.Label1->font().underline());

    QTest::mouseClick(box.Label1, Qt::LeftButton);
    QCOMPARE(platform.shellCalls.size(), std::size_t{1});
    QCOMPARE(platform.shellCalls[0].verb, QString("open"));
    QCOMPARE(platform.shellCalls[0].file, "mailto:" + box.Label1->text());
    QCOMPARE(platform.shellCalls[0].file, QString("mailto:serwis@tavelin.example"));
    // Whatever the desktop answers, nothing more happens.
    QCOMPARE(platform.dialogs, 0);
    QVERIFY(box.isVisible());
}

void TestAboutHelp::okClosesTheAboutBox_data() {
    QTest::addColumn<bool>("byEnter");
    QTest::newRow("click") << false;
    QTest::newRow("Enter, OK is the default button") << true;
}

void TestAboutHelp::okClosesTheAboutBox() {
    QFETCH(bool, byEnter);
    FakePlatform platform;
    std::uint8_t language = 0;
    TAboutBox box(platform, language);
    box.show();
    if (byEnter) {
        QTest::keyClick(&box, Qt::Key_Return);
    } else {
        QTest::mouseClick(box.OKButton, Qt::LeftButton);
    }
    QVERIFY(!box.isVisible());
    QCOMPARE(box.result(), int(QDialog::Accepted));
    QVERIFY(platform.shellCalls.empty());
}

void TestAboutHelp::aboutBoxShowsAllOfItsTexts_data() {
    QTest::addColumn<int>("language");
    QTest::newRow("Polish") << 0;
    QTest::newRow("English") << 1;
}

void TestAboutHelp::aboutBoxShowsAllOfItsTexts() {
    QFETCH(int, language);
    FakePlatform platform;
    std::uint8_t lang = static_cast<std::uint8_t>(language);
    TAboutBox box(platform, lang);
    box.show();
    QCOMPARE(box.size(), QSize(298, 213));
    auto* panel = box.findChild<QWidget*>("Panel1");
    QVERIFY(panel != nullptr);
    CheckLaidOut(panel);
}

void TestAboutHelp::helpWindowSettings_data() {
    QTest::addColumn<QString>("which");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<bool>("onTop");
    QTest::addColumn<bool>("maximise");
    QTest::addColumn<bool>("tracking");
    QTest::addColumn<QSize>("page");
    QTest::newRow("Polish") << "polish"
                            << "Pomoc" << true << false << true << QSize(678, 2200);
    QTest::newRow("English") << "english"
                             << "Help" << false << true << false << QSize(691, 2000);
}

void TestAboutHelp::helpWindowSettings() {
    QFETCH(QString, which);
    QFETCH(QString, caption);
    QFETCH(bool, onTop);
    QFETCH(bool, maximise);
    QFETCH(bool, tracking);
    QFETCH(QSize, page);
    auto help = MakeHelp(which);
    QCOMPARE(help->windowTitle(), caption);
    const Qt::WindowFlags flags = help->windowFlags();
    QCOMPARE(flags.testFlag(Qt::WindowStaysOnTopHint), onTop);
    QCOMPARE(flags.testFlag(Qt::WindowMaximizeButtonHint), maximise);
    QVERIFY(flags.testFlag(Qt::WindowMinimizeButtonHint));
    QVERIFY(flags.testFlag(Qt::WindowSystemMenuHint));
    QScrollArea* box = ScrollBoxOf(help.get());
    QCOMPARE(box->widget()->size(), page);
    QCOMPARE(box->verticalScrollBar()->hasTracking(), tracking);
    QCOMPARE(box->horizontalScrollBar()->hasTracking(), tracking);
    // Light yellow, colour value 14024191 read as blue-green-red.
    QCOMPARE(box->widget()->palette().color(QPalette::Window), QColor(0xFF, 0xFF, 0xD5));
}

void TestAboutHelp::scrollPositionWhenShownAgain_data() {
    QTest::addColumn<QString>("which");
    QTest::addColumn<bool>("backToTop");
    QTest::newRow("Polish opens at its title") << "polish" << true;
    QTest::newRow("English keeps its place") << "english" << false;
}

void TestAboutHelp::scrollPositionWhenShownAgain() {
    QFETCH(QString, which);
    QFETCH(bool, backToTop);
    auto help = MakeHelp(which);
    QScrollBar* bar = ScrollBoxOf(help.get())->verticalScrollBar();
    help->show();
    QCOMPARE(bar->value(), 0);
    QVERIFY(bar->maximum() > 800);
    bar->setValue(800);
    help->hide();
    help->show();
    QCOMPARE(bar->value(), backToTop ? 0 : 800);
    bar->setValue(300);
    help->hide();
    help->show();
    QCOMPARE(bar->value(), backToTop ? 0 : 300);
}

void TestAboutHelp::manualHasItsHeadingsAndCaptions_data() {
    QTest::addColumn<QString>("which");
    QTest::addColumn<QStringList>("headings");
    QTest::addColumn<QStringList>("texts");
    QTest::newRow("Polish")
        << "polish"
        << QStringList{U8("Podłączenie zgrzewarki do komputera"), U8("Rozpoczęcie pracy"),
                       U8("Tabele"), U8("Operacje na tabelach"), U8("Dane w postaci tekstowej")}
        << QStringList{U8("Pomoc programu Tavelin"),
                       U8("Konwerter USB-RS232"),
                       U8("Kabel RS-232"),
                       U8("Połączenie bezpośrednie zgrzewarki z komputerem"),
                       U8("Połączenie zgrzewarki z komputerem za pośrednictwem konwertera "
                          "USB-RS232"),
                       U8("Zgrzewarka podłączona"),
                       U8("Pobierz wszystkie zgrzewy w postaci tekstowej"),
                       U8("Pobierz zawartość pamięci z wybranego okresu do tabeli"),
                       U8("Pobierz całą zawartość pamięci do tabeli"),
                       U8("Skasuj całą zawartość pamięci"),
                       U8("Znajdź i zastąp nazwę lokalizacji zgrzewu"),
                       U8("Tryb ręcznej edycji tabeli"),
                       U8("Usuwanie zgrzewów (wierszy tabeli)")};
    QTest::newRow("English")
        << "english"
        << QStringList{"Connecting welder to a PC computer", "Staring the work", "Tables",
                       "Performing operations on tables", "Fusion data as text"}
        << QStringList{"Tavelin Help",
                       "USB-RS232 Converter",
                       "RS-232 Cable",
                       "PC-Welder direct connection",
                       "Connecting the Welder to a PC using serial RS232 and  USB-RS232 "
                       "converter.",
                       "Welder connected",
                       "Get all fusion data as text",
                       "Load table with memory entries from a given time period",
                       "Load table with all fusion data",
                       "Clear memory",
                       "Find and replace construction site ID",
                       "Manual table editing mode",
                       "Deleting fusion data"};
}

void TestAboutHelp::manualHasItsHeadingsAndCaptions() {
    QFETCH(QString, which);
    QFETCH(QStringList, headings);
    QFETCH(QStringList, texts);
    auto help = MakeHelp(which);
    const auto labels = ScrollBoxOf(help.get())->widget()->findChildren<QLabel*>();
    auto find = [&](const QString& text) -> QLabel* {
        for (QLabel* label : labels) {
            if (label->text() == text) {
                return label;
            }
        }
        return nullptr;
    };
    for (const QString& heading : headings) {
        QLabel* label = find(heading);
        QVERIFY2(label != nullptr, qPrintable("missing heading: " + heading));
        QVERIFY(label->font().bold());
        QCOMPARE(label->font().pixelSize(), 13);
        QCOMPARE(label->palette().color(QPalette::WindowText), QColor(0x00, 0x00, 0x80));
    }
    for (const QString& text : texts) {
        QVERIFY2(find(text) != nullptr, qPrintable("missing: " + text));
    }
    // The red warnings: the converter note and the erase warning.
    for (const char* name : {"DriverNote", "EraseWarning"}) {
        auto* warning = help->findChild<QLabel*>(name);
        QVERIFY(warning != nullptr);
        QCOMPARE(warning->palette().color(QPalette::WindowText), QColor(Qt::red));
    }
}

void TestAboutHelp::manualFitsItsPage_data() {
    QTest::addColumn<QString>("which");
    QTest::newRow("Polish") << "polish";
    QTest::newRow("English") << "english";
}

void TestAboutHelp::manualFitsItsPage() {
    QFETCH(QString, which);
    auto help = MakeHelp(which);
    help->show();
    CheckLaidOut(ScrollBoxOf(help.get())->widget());
}

void TestAboutHelp::manualTextBoxesTakeTyping_data() {
    manualFitsItsPage_data();
}

void TestAboutHelp::manualTextBoxesTakeTyping() {
    QFETCH(QString, which);
    auto help = MakeHelp(which);
    help->show();
    const auto boxes = ScrollBoxOf(help.get())->widget()->findChildren<QTextEdit*>();
    QVERIFY(boxes.size() >= 5);
    for (QTextEdit* box : boxes) {
        QVERIFY(!box->isReadOnly());
        QVERIFY(!box->toPlainText().isEmpty());
    }
    QTextEdit* box = boxes.front();
    box->moveCursor(QTextCursor::Start);
    QTest::keyClicks(box, "abc");
    QVERIFY(box->toPlainText().startsWith("abc"));
}

void TestAboutHelp::resourcesLoad_data() {
    QTest::addColumn<QString>("path");
    QTest::addColumn<QSize>("size");
    for (const char* glyph : {"SpeedButton1",
                              "SpeedButton2",
                              "SpeedButton3",
                              "PrintSetup1",
                              "SpeedButton5",
                              "SpeedButton17",
                              "SpeedButton10",
                              "SpeedButton19",
                              "SpeedButton18",
                              "SpeedButton15",
                              "SpeedButton16",
                              "SpeedButton20",
                              "SpeedButton21",
                              "SpeedButton7",
                              "SBPobierzOkres",
                              "SBPobierzCalosc",
                              "SBKasuj",
                              "SpeedButton12",
                              "SpeedButton11",
                              "Form2_SpeedButton1",
                              "Form2_SpeedButton2",
                              "Wyszukaj_SpeedButton1"}) {
        const QString path = QString(":/glyphs/%1.svg").arg(glyph);
        QTest::newRow(qPrintable(path)) << path << QSize(16, 16);
    }
    QTest::newRow(":/glyphs/SpeedButton8.svg") << ":/glyphs/SpeedButton8.svg" << QSize(44, 16);
    const struct {
        const char* name;
        QSize size;
    } pictures[] = {{"program-icon", {64, 64}},    {"logo", {120, 64}},
                    {"converter", {240, 110}},     {"cable", {240, 110}},
                    {"wiring-direct", {300, 110}}, {"wiring-converter", {300, 110}},
                    {"search", {327, 139}}};
    for (const auto& picture : pictures) {
        const QString path = QString(":/pictures/%1.svg").arg(picture.name);
        QTest::newRow(qPrintable(path)) << path << picture.size;
    }
}

void TestAboutHelp::resourcesLoad() {
    QFETCH(QString, path);
    QFETCH(QSize, size);
    QSvgRenderer renderer(path);
    QVERIFY(renderer.isValid());
    QCOMPARE(renderer.defaultSize(), size);
    const QIcon icon(path);
    QVERIFY(!icon.isNull());
    const QPixmap pixmap = icon.pixmap(size);
    QVERIFY(!pixmap.isNull());
    // Something is drawn: the picture is not all transparent.
    const QImage image = pixmap.toImage();
    bool drawn = false;
    for (int y = 0; y < image.height() && !drawn; ++y) {
        for (int x = 0; x < image.width() && !drawn; ++x) {
            drawn = qAlpha(image.pixel(x, y)) != 0;
        }
    }
    QVERIFY(drawn);
}

QTEST_MAIN(TestAboutHelp)
#include "test_about_help.moc"
