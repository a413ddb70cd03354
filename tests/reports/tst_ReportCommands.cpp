// Save as, writing report files and Open on the real main window: the files
// written are compared byte for byte with the expected reports, files are
// read back into the table or the text view, and every message is checked.
#include <QAction>
#include <QComboBox>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QStatusBar>
#include <QTableView>
#include <QTest>
#include <QToolButton>

#include <unistd.h>

#include "ReportWindow.h"
#include "gui/WindowFixture.h"
#include "records/ColumnModel.h"
#include "reports/HtmlImport.h"
#include "reports/HtmlReport.h"
#include "reports/Postep.h"
#include "reports/TextReport.h"
#include "shell/QtTexts.h"
#include "shell/Texts.h"

using tav::Answer;
using tav::MsgKind;
using tav::test::ReadBytes;
using tav::test::WindowFixture;
using tav::text::En;
using tav::text::Id;

namespace {

// The row 0 texts of a heading variant.
std::vector<std::string> Headings(int variant) {
    const auto& row = tav::records::ColumnHeadings()[static_cast<std::size_t>(variant)];
    return {row.begin(), row.end()};
}

std::vector<std::string> RowZero(const TForm1& form) {
    const auto& row = form.GridCells.Row(0);
    return {row.begin(), row.end()};
}

// An HTML report of `rows` generated rows, written by the report writer.
std::string GeneratedReport(int rows, int language) {
    tav::records::GridData grid;
    grid.SetRowCount(rows + 1);
    for (int r = 1; r <= rows; ++r) {
        for (int c = 0; c < tav::records::kColumnCount; ++c) {
            grid.SetCell(c, r, std::to_string(c * 1000 + r));
        }
    }
    return tav::reports::WriteHtmlReport(tav::test::FixtureSnapshot(grid, language));
}

std::string Replaced(std::string text, const std::string& from, const std::string& to) {
    const std::size_t at = text.find(from);
    if (at != std::string::npos) {
        text.replace(at, from.size(), to);
    }
    return text;
}

}  // namespace

class TestReportCommands : public QObject {
    Q_OBJECT

  private slots:
    void saveAsWritesTheReport_data();
    void saveAsWritesTheReport();
    void saveAsOfTheTextView();
    void fileNameRules_data();
    void fileNameRules();
    void overwriteQuestion_data();
    void overwriteQuestion();
    void documentLanguageDefaultsToInterface();
    void failedWritesKeepTheOldFile();
    void openHtmlReportRoundTrip();
    void openRefusesFilesThatAreNoReport_data();
    void openRefusesFilesThatAreNoReport();
    void openShowsImportProgress_data();
    void openShowsImportProgress();
    void languageMarkerSetsHeadings_data();
    void languageMarkerSetsHeadings();
    void openTextFile_data();
    void openTextFile();
    void openAsksAboutUnsavedData_data();
    void openAsksAboutUnsavedData();
    void openUnreadableFileChangesNothing();
};

void TestReportCommands::saveAsWritesTheReport_data() {
    QTest::addColumn<int>("language");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("golden");
    for (int language = 0; language <= 4; ++language) {
        const QString html = QStringLiteral("report_%1.htm").arg(language);
        QTest::addRow("HTML %d", language) << language << html << html;
    }
    for (int language = 0; language <= 3; ++language) {
        const QString text = QStringLiteral("report_%1.txt").arg(language);
        QTest::addRow("text %d", language) << language << text << text;
    }
}

// Save as with the table shown: the file holds exactly the expected report,
// the caption names it and the data counts as saved.
void TestReportCommands::saveAsWritesTheReport() {
    QFETCH(int, language);
    QFETCH(QString, name);
    QFETCH(QString, golden);
    WindowFixture fx;
    TForm1& form = fx.Form();
    tav::test::ShowFixtureTable(form, language);

    const QString path = fx.PathOf(name);
    fx.Platform().QueueSaveFile(path);
    form.SpeedButton3Click();

    TAV_COMPARE_BYTES(ReadBytes(path), ReadBytes(tav::test::DataPath(golden)));
    QCOMPARE(form.windowTitle(), path);
    QVERIFY(!form.DataModified);
    QCOMPARE(int(form.DocumentLanguage), language);
    QVERIFY(fx.Platform().Messages().empty());
    QCOMPARE(fx.Platform().FileDialogs().size(), std::size_t{1});
    QCOMPARE(fx.Platform().FileDialogs()[0].filterIndex, 1);
    QCOMPARE(fx.Platform().FileDialogs()[0].filter, En(Id::SaveFilter));
    QCOMPARE(tav::test::FilesIn(fx.Dir()), QStringList{name});
}

// The text view is saved as its plain copy; an HTML name is refused and
// changes nothing.
void TestReportCommands::saveAsOfTheTextView() {
    WindowFixture fx(WindowFixture::MakeConfig(0, ""));
    TForm1& form = fx.Form();
    tav::test::ShowText(form, tav::test::kFixtureTextView);
    form.setWindowTitle(QStringLiteral("before"));

    fx.Platform().QueueSaveFile(fx.PathOf(QStringLiteral("widok.html")));
    form.SpeedButton3Click();
    QCOMPARE(fx.Platform().FileDialogs()[0].filterIndex, 2);
    QCOMPARE(fx.Platform().FileDialogs()[0].filter, tav::text::Pl(Id::SaveFilter));
    QCOMPARE(fx.Platform().MessageTexts(), QStringList{tav::text::Pl(Id::HtmlNotForText)});
    QCOMPARE(fx.Platform().Messages()[0].kind, MsgKind::Confirmation);
    QCOMPARE(fx.Platform().Messages()[0].buttons, unsigned{tav::kBtnOk});
    QCOMPARE(form.windowTitle(), QStringLiteral("before"));
    QVERIFY(form.DataModified);
    QCOMPARE(int(form.DocumentLanguage), -1);
    QVERIFY(tav::test::FilesIn(fx.Dir()) == QStringList{"config.cfg"});

    fx.Platform().QueueSaveFile(fx.PathOf(QStringLiteral("widok")));
    form.SpeedButton3Click();
    const QString written = fx.PathOf(QStringLiteral("widok.txt"));
    TAV_COMPARE_BYTES(ReadBytes(written), ReadBytes(tav::test::DataPath("textview.txt")));
    QCOMPARE(form.windowTitle(), written);
    QVERIFY(!form.DataModified);
}

void TestReportCommands::fileNameRules_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("written");
    QTest::addColumn<bool>("html");
    QTest::newRow("report.html") << "report.html"
                                 << "report.html" << true;
    QTest::newRow("report.HTM") << "report.HTM"
                                << "report.HTM.txt" << false;
    QTest::newRow("report") << "report"
                            << "report.txt" << false;
    QTest::newRow("a.xhtml") << "a.xhtml"
                             << "a.xhtml.htm" << true;
    QTest::newRow("notes.htm.txt") << "notes.htm.txt"
                                   << "notes.htm.txt" << false;
}

void TestReportCommands::fileNameRules() {
    QFETCH(QString, name);
    QFETCH(QString, written);
    QFETCH(bool, html);
    WindowFixture fx;
    TForm1& form = fx.Form();
    tav::test::ShowFixtureTable(form, 1);

    QCOMPARE(form.WriteReportFile(fx.PathOf(name).toStdString()), 0);
    QCOMPARE(tav::test::FilesIn(fx.Dir()), QStringList{written});
    const std::string bytes = ReadBytes(fx.PathOf(written));
    const auto expected = tav::test::FixtureSnapshot(form.GridCells, 1);
    QVERIFY(bytes == (html ? tav::reports::WriteHtmlReport(expected)
                           : ReadBytes(tav::test::DataPath("report_1.txt"))));
    // Writing a file leaves the caption and the unsaved-data flag alone.
    QCOMPARE(form.windowTitle(), QStringLiteral("Tavelin"));
    QVERIFY(form.DataModified);
}

void TestReportCommands::overwriteQuestion_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("existing");  // the file the question names
    QTest::addColumn<bool>("asked");
    QTest::addColumn<int>("answer");
    QTest::addColumn<bool>("replaced");
    QTest::newRow("No keeps the file") << "r.htm"
                                       << "r.htm" << true << int(Answer::No) << false;
    QTest::newRow("Yes replaces it") << "r.htm"
                                     << "r.htm" << true << int(Answer::Yes) << true;
    QTest::newRow("a closed box replaces it") << "r.htm"
                                              << "r.htm" << true << int(Answer::None) << true;
    QTest::newRow("the final name is asked about") << "r"
                                                   << "r.txt" << true << int(Answer::No) << false;
    QTest::newRow("~tmp.html without asking") << "~tmp.html"
                                              << "~tmp.html" << false << 0 << true;
    QTest::newRow("~tmp.htm like any other") << "~tmp.htm"
                                             << "~tmp.htm" << true << int(Answer::No) << false;
}

// Names are relative, as printing gives them: the current directory is the
// fixture's.
void TestReportCommands::overwriteQuestion() {
    QFETCH(QString, name);
    QFETCH(QString, existing);
    QFETCH(bool, asked);
    QFETCH(int, answer);
    QFETCH(bool, replaced);
    WindowFixture fx;
    TForm1& form = fx.Form();
    tav::test::ShowFixtureTable(form, 1);
    QVERIFY(tav::test::WriteFile(fx.PathOf(existing), "old"));
    if (asked) {
        fx.Platform().QueueAnswer(static_cast<Answer>(answer));
    }

    fx.Platform().QueueSaveFile(name);
    form.SpeedButton3Click();

    if (asked) {
        QCOMPARE(fx.Platform().MessageTexts(),
                 QStringList{"File: '" + existing + "' already exists.Replace?"});
        QCOMPARE(fx.Platform().Messages()[0].kind, MsgKind::Confirmation);
        QCOMPARE(fx.Platform().Messages()[0].buttons, unsigned{tav::kBtnYes | tav::kBtnNo});
    } else {
        QVERIFY(fx.Platform().Messages().empty());
    }
    QCOMPARE(ReadBytes(fx.PathOf(existing)) != "old", replaced);
    QCOMPARE(form.windowTitle(), replaced ? existing : QStringLiteral("Tavelin"));
    QCOMPARE(form.DataModified, !replaced);
}

// With no document language the interface language is taken once the
// overwrite question has passed, and kept.
void TestReportCommands::documentLanguageDefaultsToInterface() {
    WindowFixture fx(WindowFixture::MakeConfig(0, ""));
    TForm1& form = fx.Form();
    tav::test::ShowFixtureTable(form, 0);
    form.DocumentLanguage = -1;
    QVERIFY(tav::test::WriteFile(fx.PathOf("r.htm"), "old"));

    fx.Platform().QueueAnswer(Answer::No);
    QCOMPARE(form.WriteReportFile("r.htm"), 1);
    QCOMPARE(fx.Platform().MessageTexts(),
             QStringList{QString::fromUtf8("Plik: 'r.htm' już istnieje. Zastąpić ten plik?")});
    QCOMPARE(int(form.DocumentLanguage), -1);

    fx.Platform().QueueAnswer(Answer::Yes);
    QCOMPARE(form.WriteReportFile("r.htm"), 0);
    QCOMPARE(int(form.DocumentLanguage), 0);
    TAV_COMPARE_BYTES(ReadBytes(fx.PathOf("r.htm")),
                      ReadBytes(tav::test::DataPath("report_0.htm")));
}

// A folder that cannot be written and a disk that fills up: each is
// reported, the old report stays as it was and no stray file is left.
void TestReportCommands::failedWritesKeepTheOldFile() {
    WindowFixture fx;
    TForm1& form = fx.Form();
    tav::test::ShowFixtureTable(form, 1);
    const std::string old = "old report\r\n";

    {
        QTemporaryDir dir;
        tav::test::ScratchFileSystem scratch(dir.path());
        const bool root = ::geteuid() == 0;
        if (root && !scratch.Mount("size=64k,mode=0755")) {
            QSKIP("cannot mount a tmpfs here");
        }
        QVERIFY(tav::test::WriteFile(dir.filePath("r.htm"), old));
        QVERIFY(root ? scratch.MakeReadOnly()
                     : QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::ExeOwner));
        fx.Platform().QueueAnswer(Answer::Yes);
        fx.Platform().QueueSaveFile(dir.filePath("r.htm"));
        form.SpeedButton3Click();
        QCOMPARE(fx.Platform().MessageTexts().last(), En(Id::FileOpenError));
        QCOMPARE(fx.Platform().Messages().back().kind, MsgKind::Error);
        QCOMPARE(ReadBytes(dir.filePath("r.htm")), old);
        QCOMPARE(tav::test::FilesIn(dir.path()), QStringList{"r.htm"});
        QVERIFY(form.DataModified);
        QCOMPARE(form.windowTitle(), QStringLiteral("Tavelin"));
        if (!root) {
            QFile::setPermissions(dir.path(),
                                  QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        }
    }
    {
        QTemporaryDir dir;
        tav::test::ScratchFileSystem scratch(dir.path());
        if (!scratch.Mount("size=64k")) {
            QSKIP("cannot mount a tmpfs here");
        }
        const std::string bigOld(30000, 'o');
        QVERIFY(tav::test::WriteFile(dir.filePath("r.htm"), bigOld));
        // A table whose report does not fit beside the old one.
        form.GridCells.SetRowCount(200);
        fx.Platform().ClearMessages();
        fx.Platform().QueueAnswer(Answer::Yes);
        QCOMPARE(form.WriteReportFile(dir.filePath("r.htm").toStdString()), 1);
        QCOMPARE(fx.Platform().MessageTexts().last(), En(Id::WriteError));
        QCOMPARE(fx.Platform().Messages().back().kind, MsgKind::Error);
        QVERIFY(ReadBytes(dir.filePath("r.htm")) == bigOld);
        QCOMPARE(tav::test::FilesIn(dir.path()), QStringList{"r.htm"});
    }
}

// A saved report opened again fills the table, its headings and the header
// fields; saving it again gives the same bytes.
void TestReportCommands::openHtmlReportRoundTrip() {
    WindowFixture fx;
    TForm1& form = fx.Form();
    tav::test::ShowFixtureTable(form, 2);
    const QString first = fx.PathOf("first.htm");
    QCOMPARE(form.WriteReportFile(first.toStdString()), 0);
    const tav::records::GridData saved = form.GridCells;

    // Another state: more rows, other header fields, manual editing on.
    form.GridCells.SetRowCount(30);
    form.GridCells.SetCell(3, 20, "stale");
    form.ComboBox1->setEditText(QStringLiteral("other"));
    form.Edit3->setText(QStringLiteral("other"));
    form.DocumentLanguage = -1;
    form.TableEditMode = true;
    form.SpeedButton21->setChecked(true);
    form.EnterTextView(true);
    form.Pulpit->setPlainText(QStringLiteral("text"));
    form.DataModified = false;

    fx.Platform().QueueOpenFile(first);
    form.SpeedButton2Click();

    QVERIFY(fx.Platform().Messages().empty());
    QCOMPARE(fx.Platform().FileDialogs().back().filter, En(Id::OpenFilter));
    QVERIFY(TForm1::IsShown(form.Grid));
    QVERIFY(!TForm1::IsShown(form.Pulpit));
    QVERIFY(form.Pulpit->toPlainText().isEmpty());
    QVERIFY(TForm1::IsShown(form.ToolBar2));
    QVERIFY(TForm1::IsShown(form.SpeedButton3));
    QVERIFY(form.N23->isEnabled());
    QVERIFY(!form.Kopiuj1->isEnabled());
    QCOMPARE(form.GridCells.RowCount(), saved.RowCount());
    for (int r = 1; r < saved.RowCount(); ++r) {
        for (int c = 0; c < tav::records::kColumnCount; ++c) {
            const std::string expected =
                c == 0 && saved.Cell(c, r).empty() ? "-" : saved.Cell(c, r);
            QCOMPARE(form.GridCells.Cell(c, r), expected);
        }
    }
    QCOMPARE(int(form.DocumentLanguage), 2);
    QVERIFY(RowZero(form) == Headings(2));
    const auto header = tav::test::FixtureSnapshot(saved, 2);
    QCOMPARE(form.CompanyName(), header.CompanyName);
    QCOMPARE(form.TypeLineText(), header.TypeLine);
    QCOMPARE(tav::ToCp1250(form.Edit3->text()), header.DownloadTime);
    QCOMPARE(form.PeriodFrom, header.PeriodFrom);
    QCOMPARE(form.PeriodTo, header.PeriodTo);
    QCOMPARE(tav::ToCp1250(form.Edit2->text()), header.PeriodFrom + " " + header.PeriodTo);
    QCOMPARE(form.windowTitle(), first);
    QVERIFY(!form.DataModified);
    QVERIFY(!form.TableEditMode);
    QVERIFY(!form.SpeedButton21->isChecked());
    QVERIFY(!form.w1->isChecked());

    const QString second = fx.PathOf("second.htm");
    QCOMPARE(form.WriteReportFile(second.toStdString()), 0);
    TAV_COMPARE_BYTES(ReadBytes(second), ReadBytes(first));
}

void TestReportCommands::openRefusesFilesThatAreNoReport_data() {
    QTest::addColumn<QByteArray>("contents");
    QTest::newRow("no marker") << QByteArray("<html>\r\n<!lok0001/lok>\r\n</html>\r\n");
    QTest::newRow("empty marker") << QByteArray(
        "<!morvalentfusionreport/morvalentfusionreport> \r\n<!lok1/lok>\r\n");
}

// A file that is no fusion report is refused; the text on screen, the
// table, the caption and the unsaved-data flag stay as they were.
void TestReportCommands::openRefusesFilesThatAreNoReport() {
    QFETCH(QByteArray, contents);
    WindowFixture fx;
    TForm1& form = fx.Form();
    tav::test::ShowFixtureTable(form, 1);
    const tav::records::GridData table = form.GridCells;
    tav::test::ShowText(form, {"keep me"});
    form.DataModified = false;
    form.setWindowTitle(QStringLiteral("before"));
    const QString path = fx.PathOf("page.html");
    QVERIFY(tav::test::WriteFile(path, contents.toStdString()));

    fx.Platform().QueueOpenFile(path);
    form.SpeedButton2Click();

    QCOMPARE(fx.Platform().MessageTexts(), QStringList{En(Id::NotAReport)});
    QCOMPARE(fx.Platform().Messages()[0].kind, MsgKind::Error);
    QCOMPARE(form.Pulpit->toPlainText(), QStringLiteral("keep me"));
    QVERIFY(TForm1::IsShown(form.Pulpit));
    QVERIFY(!TForm1::IsShown(form.Grid));
    QVERIFY(form.GridCells.Row(1) == table.Row(1));
    QCOMPARE(form.GridCells.RowCount(), table.RowCount());
    QCOMPARE(form.windowTitle(), QStringLiteral("before"));
    QVERIFY(!form.DataModified);
}

void TestReportCommands::openShowsImportProgress_data() {
    QTest::addColumn<QString>("marker");
    QTest::addColumn<bool>("window");
    QTest::newRow("marker 5, 200 rows") << "5" << true;
    QTest::newRow("marker 400, 200 rows") << "400" << true;
    QTest::newRow("marker 0") << "0" << false;
    QTest::newRow("marker not a number") << "x" << false;
}

// The report marker's number only drives the progress display: every row is
// read, with the progress window or, without a number, the status text.
void TestReportCommands::openShowsImportProgress() {
    QFETCH(QString, marker);
    QFETCH(bool, window);
    WindowFixture fx;
    TForm1& form = fx.Form();
    TPostep& postep = *fx.Windows().Postep;
    QCOMPARE(postep.windowTitle(), QStringLiteral("Importowanie danych...."));
    QCOMPARE(postep.size(), QSize(387, 26));

    const std::string report = Replaced(GeneratedReport(200, 1), "<!morvalentfusionreport200/",
                                        "<!morvalentfusionreport" + marker.toStdString() + "/");
    const QString path = fx.PathOf("many.htm");
    QVERIFY(tav::test::WriteFile(path, report));

    bool windowSeen = false;
    int largestValue = -1;
    QStringList statusTexts;
    fx.Platform().OnProcessMessages([&] {
        windowSeen = windowSeen || postep.isVisible();
        largestValue = std::max(largestValue, postep.ProgressBar->value());
        statusTexts << form.StatusBar->currentMessage();
    });
    fx.Platform().QueueOpenFile(path);
    form.SpeedButton2Click();
    fx.Platform().OnProcessMessages({});

    QCOMPARE(form.GridCells.RowCount(), 201);
    QCOMPARE(form.GridCells.Cell(16, 200), std::string("16200"));
    QCOMPARE(windowSeen, window);
    QVERIFY(!postep.isVisible());
    QVERIFY(form.StatusBar->currentMessage().isEmpty());
    if (window) {
        const int expected = marker == "5" ? 100 : 50;  // 202 of 400 rows
        QCOMPARE(largestValue, expected);
    } else {
        QVERIFY(!statusTexts.isEmpty());
        QCOMPARE(statusTexts.first(), En(Id::ImportStatus));
    }
}

void TestReportCommands::languageMarkerSetsHeadings_data() {
    QTest::addColumn<QString>("marker");
    QTest::addColumn<int>("language");
    QTest::addColumn<int>("headings");
    // The Polish interface, so that falling back to it shows.
    QTest::newRow("0") << "0" << 0 << 0;
    QTest::newRow("4") << "4" << 4 << 4;
    QTest::newRow("3") << "3" << 3 << 3;
    QTest::newRow("7: the interface language") << "7" << 0 << 0;
    QTest::newRow("260: lowest 8 bits") << "260" << 4 << 4;
    QTest::newRow("a letter: none") << "a" << -1 << 0;
    QTest::newRow("empty: the interface language") << "" << 0 << 0;
}

void TestReportCommands::languageMarkerSetsHeadings() {
    QFETCH(QString, marker);
    QFETCH(int, language);
    QFETCH(int, headings);
    WindowFixture fx(WindowFixture::MakeConfig(0, ""));
    TForm1& form = fx.Form();
    const std::string report = Replaced(GeneratedReport(2, 1), "<!jezykdokum1/",
                                        "<!jezykdokum" + marker.toStdString() + "/");
    const QString path = fx.PathOf("r.htm");
    QVERIFY(tav::test::WriteFile(path, report));

    fx.Platform().QueueOpenFile(path);
    form.SpeedButton2Click();

    QCOMPARE(int(form.DocumentLanguage), language);
    QVERIFY(RowZero(form) == Headings(headings));
    QCOMPARE(form.GridCells.RowCount(), 3);
}

void TestReportCommands::openTextFile_data() {
    QTest::addColumn<QString>("name");
    QTest::newRow("notes.txt") << "notes.txt";
    QTest::newRow("report.HTM is text") << "report.HTM";
}

// Any other file goes into the text view; the table, its header fields and
// the document language stay behind the scenes.
void TestReportCommands::openTextFile() {
    QFETCH(QString, name);
    WindowFixture fx;
    TForm1& form = fx.Form();
    tav::test::ShowFixtureTable(form, 3);
    form.DataModified = false;
    const QString path = fx.PathOf(name);
    const std::string bytes =
        name.endsWith(".txt") ? "Wykaz \xB9\xE6\r\n\r\nkoniec\r\n" : GeneratedReport(1, 1);
    QVERIFY(tav::test::WriteFile(path, bytes));

    fx.Platform().QueueOpenFile(path);
    form.SpeedButton2Click();

    QVERIFY(fx.Platform().Messages().empty());
    QVERIFY(TForm1::IsShown(form.Pulpit));
    QVERIFY(!TForm1::IsShown(form.Grid));
    QVERIFY(TForm1::IsShown(form.SpeedButton17));
    QVERIFY(!TForm1::IsShown(form.SpeedButton15));
    QVERIFY(!form.Usuzaz1->isEnabled());
    QCOMPARE(form.windowTitle(), path);
    QVERIFY(!form.DataModified);
    // Saving the view gives the file back, each line with its blank.
    std::string expected;
    for (const std::string& line : tav::reports::SplitLines(bytes)) {
        expected += line + " \r\n";
    }
    QVERIFY(tav::reports::WriteTextViewCopy(form.PulpitLines()) == expected);
    QCOMPARE(int(form.DocumentLanguage), 3);
    QCOMPARE(form.GridCells.RowCount(), 5);
    QCOMPARE(form.CompanyName(), tav::test::FixtureSnapshot(form.GridCells, 3).CompanyName);
}

void TestReportCommands::openAsksAboutUnsavedData_data() {
    QTest::addColumn<QString>("shown");  // "table" or "text"
    QTest::addColumn<int>("rows");       // data rows or text lines
    QTest::addColumn<bool>("modified");
    QTest::addColumn<bool>("asked");
    QTest::newRow("table, 1 row") << "table" << 1 << true << false;
    QTest::newRow("table, 2 rows") << "table" << 2 << true << true;
    QTest::newRow("table, 2 rows, saved") << "table" << 2 << false << false;
    QTest::newRow("text, 1 line") << "text" << 1 << true << true;
    QTest::newRow("text, empty") << "text" << 0 << true << false;
}

// Before opening, changed data on screen is offered for saving through Save
// as; the file is opened whatever the outcome.
void TestReportCommands::openAsksAboutUnsavedData() {
    QFETCH(QString, shown);
    QFETCH(int, rows);
    QFETCH(bool, modified);
    QFETCH(bool, asked);
    WindowFixture fx;
    TForm1& form = fx.Form();
    if (shown == "table") {
        tav::test::ShowFixtureTable(form, 1);
        form.GridCells.SetRowCount(rows + 1);
    } else {
        tav::test::ShowText(
            form, rows == 0 ? std::vector<std::string>{} : std::vector<std::string>(rows, "line"));
    }
    form.DataModified = modified;
    const QString path = fx.PathOf("in.txt");
    QVERIFY(tav::test::WriteFile(path, "opened\r\n"));

    if (asked) {
        // Yes runs Save as; its dialog is cancelled and the file still opens.
        fx.Platform().QueueAnswer(Answer::Yes);
        fx.Platform().QueueSaveCancel();
    }
    fx.Platform().QueueOpenFile(path);
    form.SpeedButton2Click();

    if (asked) {
        QCOMPARE(fx.Platform().MessageTexts(), QStringList{"Save data to a file?"});
        QCOMPARE(fx.Platform().Messages()[0].kind, MsgKind::Confirmation);
        QCOMPARE(fx.Platform().Messages()[0].buttons, unsigned{tav::kBtnYes | tav::kBtnNo});
        QCOMPARE(fx.Platform().FileDialogs().size(), std::size_t{2});  // open, then save
    } else {
        QVERIFY(fx.Platform().Messages().empty());
    }
    QCOMPARE(fx.Platform().UnusedAnswers(), 0);
    QCOMPARE(form.Pulpit->toPlainText(), QStringLiteral("opened"));
    QCOMPARE(form.windowTitle(), path);
}

// A file that cannot be read is reported and nothing on screen changes.
void TestReportCommands::openUnreadableFileChangesNothing() {
    WindowFixture fx;
    TForm1& form = fx.Form();
    tav::test::ShowText(form, {"keep me"});
    form.DataModified = false;
    const QString path = fx.PathOf("missing.htm");

    fx.Platform().QueueOpenFile(path);
    form.SpeedButton2Click();

    QCOMPARE(fx.Platform().Messages().size(), std::size_t{1});
    QCOMPARE(fx.Platform().Messages()[0].kind, MsgKind::Error);
    QVERIFY(fx.Platform().MessageTexts()[0].contains(path));
    QCOMPARE(form.Pulpit->toPlainText(), QStringLiteral("keep me"));
    QVERIFY(TForm1::IsShown(form.Pulpit));
    QCOMPARE(form.windowTitle(), QStringLiteral("Tavelin"));
}

QTEST_MAIN(TestReportCommands)
#include "tst_ReportCommands.moc"
