// The HTML and text report writers against the expected files, and the
// grouping, escaping and layout rules the expected files do not show.
#include <QTest>

#include <string>
#include <vector>

#include "ReportFixture.h"
#include "platform/Cp1250.h"
#include "records/GridData.h"
#include "reports/HtmlReport.h"
#include "reports/TextReport.h"

using tav::records::GridData;
using tav::reports::ReportSnapshot;

namespace {

// A table with the given site IDs and one recognisable cell per row.
GridData TableWithSites(const QStringList& sites) {
    GridData grid;
    grid.SetRowCount(static_cast<int>(sites.size()) + 1);
    for (int r = 0; r < sites.size(); ++r) {
        grid.SetCell(0, r + 1, sites[r].toStdString());
        grid.SetCell(4, r + 1, std::to_string(r + 1));
    }
    return grid;
}

// The texts between `before` and `after` on the lines that hold both, in order.
QStringList Between(const std::string& doc, const std::string& before, const std::string& after) {
    QStringList found;
    std::size_t pos = 0;
    while ((pos = doc.find(before, pos)) != std::string::npos) {
        pos += before.size();
        const std::size_t end = doc.find(after, pos);
        found << QString::fromStdString(doc.substr(pos, end - pos));
    }
    return found;
}

int Count(const std::string& doc, const std::string& what) {
    int n = 0;
    for (std::size_t pos = doc.find(what); pos != std::string::npos;
         pos = doc.find(what, pos + what.size())) {
        ++n;
    }
    return n;
}

}  // namespace

class TestReportWriters : public QObject {
    Q_OBJECT

  private slots:
    void htmlMatchesExpectedFile_data();
    void htmlMatchesExpectedFile();
    void textMatchesExpectedFile_data();
    void textMatchesExpectedFile();
    void textViewCopy();
    void htmlGroupsBySiteId_data();
    void htmlGroupsBySiteId();
    void textGroupsBySiteId_data();
    void textGroupsBySiteId();
    void emptyTable();
    void htmlLineEnds();
    void escaping_data();
    void escaping();
};

void TestReportWriters::htmlMatchesExpectedFile_data() {
    QTest::addColumn<int>("language");
    QTest::addColumn<QString>("file");
    QTest::newRow("Polish") << 0 << "report_0.htm";
    QTest::newRow("English") << 1 << "report_1.htm";
    QTest::newRow("Czech") << 2 << "report_2.htm";
    QTest::newRow("Romanian") << 3 << "report_3.htm";
    QTest::newRow("English again") << 4 << "report_4.htm";
    // A damaged settings file can leave no valid language: English then.
    QTest::newRow("out of range") << 9 << "report_1.htm";
}

void TestReportWriters::htmlMatchesExpectedFile() {
    QFETCH(int, language);
    QFETCH(QString, file);
    GridData grid;
    tav::test::FillReportFixture(grid);
    const std::string expected = tav::test::ReadBytes(tav::test::DataPath(file));
    QVERIFY2(!expected.empty(), qPrintable(file));
    TAV_COMPARE_BYTES(tav::reports::WriteHtmlReport(tav::test::FixtureSnapshot(grid, language)),
                      expected);
}

void TestReportWriters::textMatchesExpectedFile_data() {
    QTest::addColumn<int>("language");
    QTest::addColumn<QString>("file");
    QTest::newRow("Polish") << 0 << "report_0.txt";
    QTest::newRow("English") << 1 << "report_1.txt";
    QTest::newRow("Czech") << 2 << "report_2.txt";
    QTest::newRow("Romanian") << 3 << "report_3.txt";
    QTest::newRow("English again") << 4 << "report_1.txt";
    QTest::newRow("out of range") << -1 << "report_1.txt";
}

void TestReportWriters::textMatchesExpectedFile() {
    QFETCH(int, language);
    QFETCH(QString, file);
    GridData grid;
    tav::test::FillReportFixture(grid);
    const std::string expected = tav::test::ReadBytes(tav::test::DataPath(file));
    QVERIFY2(!expected.empty(), qPrintable(file));
    TAV_COMPARE_BYTES(tav::reports::WriteTextReport(tav::test::FixtureSnapshot(grid, language)),
                      expected);
}

void TestReportWriters::textViewCopy() {
    TAV_COMPARE_BYTES(tav::reports::WriteTextViewCopy(tav::test::kFixtureTextView),
                      tav::test::ReadBytes(tav::test::DataPath("textview.txt")));
    QCOMPARE(tav::reports::WriteTextViewCopy({}), std::string());
}

void TestReportWriters::htmlGroupsBySiteId_data() {
    QTest::addColumn<QStringList>("sites");
    QTest::addColumn<QStringList>("groups");    // site heading lines, in order
    QTest::addColumn<QStringList>("comments");  // site-ID comments, one per row
    QTest::newRow("repeated site")
        << QStringList{"0001", "0001", "0002"} << QStringList{"0001", "0002"}
        << QStringList{"0001", "0001", "0002"};
    QTest::newRow("consecutive empty IDs share one group")
        << QStringList{"", "", "0001", ""} << QStringList{"-", "0001", "-"}
        << QStringList{"-", "-", "0001", "-"};
    QTest::newRow("a site coming back opens a new group")
        << QStringList{"A", "B", "A"} << QStringList{"A", "B", "A"} << QStringList{"A", "B", "A"};
}

void TestReportWriters::htmlGroupsBySiteId() {
    QFETCH(QStringList, sites);
    QFETCH(QStringList, groups);
    QFETCH(QStringList, comments);
    const GridData grid = TableWithSites(sites);
    const std::string doc =
        tav::reports::WriteHtmlReport(ReportSnapshot{.Rows = grid, .Language = 1});
    QCOMPARE(Between(doc, "Construction site ID: <lokaliz>", "</lokaliz></b> \r\n"), groups);
    QCOMPARE(Between(doc, "\r\n<!lok", "/lok> \r\n"), comments);
    // Every group heading brings its own 17 heading lines.
    QCOMPARE(Count(doc, "<th>Fusion date</th> \r\n"), groups.size());
    QCOMPARE(Count(doc, "<tr> \r\n"), sites.size());
    QCOMPARE(Count(doc, "<td><nrzgrz>"), sites.size());
}

void TestReportWriters::textGroupsBySiteId_data() {
    QTest::addColumn<QStringList>("sites");
    QTest::addColumn<QStringList>("groups");  // site heading lines, in order
    QTest::addColumn<int>("separators");
    QTest::newRow("repeated site")
        << QStringList{"0001", "0001", "0002"} << QStringList{"0001", "0002"} << 1;
    // Rows before the first site ID get no heading; the first group after
    // them is still set off by a separator.
    QTest::newRow("leading empty IDs") << QStringList{"", "", "0001"} << QStringList{"0001"} << 1;
    QTest::newRow("an empty ID after a site opens a group")
        << QStringList{"0001", "", "0001"} << QStringList{"0001", "", "0001"} << 2;
}

void TestReportWriters::textGroupsBySiteId() {
    QFETCH(QStringList, sites);
    QFETCH(QStringList, groups);
    QFETCH(int, separators);
    const GridData grid = TableWithSites(sites);
    const std::string doc =
        tav::reports::WriteTextReport(ReportSnapshot{.Rows = grid, .Language = 2});
    QCOMPARE(Between(doc, "\r\nCislo stavby:", "\r\n"), groups);
    QCOMPARE(Count(doc, "\r\n" + std::string(80, '-') + "\r\nCislo stavby:"), separators);
    QCOMPARE(Count(doc, std::string(80, '_')), groups.size());
}

// The table after a reset: one empty data row.
void TestReportWriters::emptyTable() {
    GridData grid;
    const std::string html =
        tav::reports::WriteHtmlReport(ReportSnapshot{.Rows = grid, .Language = 0});
    QVERIFY(html.find("<!morvalentfusionreport1/morvalentfusionreport> \r\n") != std::string::npos);
    QCOMPARE(Between(html, "Lokalizacja: <lokaliz>", "</lokaliz>"), QStringList{"-"});
    QCOMPARE(Count(html, "<!lok-/lok> \r\n"), 1);
    QCOMPARE(Count(html, "<td><data></data></td> \r\n<td><czas></czas></td>"), 1);
    QCOMPARE(Count(html, "<td><ocena></ocena></td> \r\n</tr> \r\n"), 1);

    const std::string text =
        tav::reports::WriteTextReport(ReportSnapshot{.Rows = grid, .Language = 0});
    const std::string blankRow =
        "\r\n|          |     |  |    | |    |          |    |    |   |   |  |  |   |    |  |\r\n"
        "|------------------------------------------------------------------------------|\r\n"
        "|LEGENDA";
    QCOMPARE(Count(text, blankRow), 1);
    QVERIFY(text.find("Numer budowy:") == std::string::npos);
    // Title, empty line, four header lines, PeriodTo and its empty line.
    QVERIFY(
        text.starts_with("                         WYKAZ ZGRZEWOW\r\n\r\nFirma:\r\n\r\n"
                         "\r\n\r\n\r\n\r\n|"));
}

// Every line up to the closing block ends with a blank before CR LF, no line
// of the closing block does; no bare LF anywhere.
void TestReportWriters::htmlLineEnds() {
    GridData grid;
    tav::test::FillReportFixture(grid);
    const std::string doc = tav::reports::WriteHtmlReport(tav::test::FixtureSnapshot(grid, 3));
    const std::size_t closing = doc.find("<! ====");
    QVERIFY(closing != std::string::npos);
    int lines = 0;
    for (std::size_t pos = 0; pos < doc.size();) {
        const std::size_t end = doc.find("\r\n", pos);
        QVERIFY(end != std::string::npos);
        const std::string line = doc.substr(pos, end - pos);
        QVERIFY2(line.find('\n') == std::string::npos, line.c_str());
        QCOMPARE(line.ends_with(' '), pos < closing);
        pos = end + 2;
        ++lines;
    }
    QCOMPARE(Count(doc.substr(closing), "\r\n"), 15);
    QVERIFY(lines > 15);
}

void TestReportWriters::escaping_data() {
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("escaped");
    QTest::newRow("plain") << "0001"
                           << "0001";
    QTest::newRow("all three") << "a&b<c>d"
                               << "a&amp;b&lt;c&gt;d";
    QTest::newRow("own end tag") << "x</data>y"
                                 << "x&lt;/data&gt;y";
    QTest::newRow("entity text") << "&lt;"
                                 << "&amp;lt;";
    QTest::newRow("quotes untouched") << "\"it's\""
                                      << "\"it's\"";
    QTest::newRow("empty") << ""
                           << "";
}

void TestReportWriters::escaping() {
    QFETCH(QString, value);
    QFETCH(QString, escaped);
    const std::string bytes = tav::cp1250::FromUtf8(value.toStdString());
    QCOMPARE(tav::reports::EscapeHtmlText(bytes), escaped.toStdString());
    QCOMPARE(tav::reports::UnescapeHtmlText(escaped.toStdString()), bytes);

    // The cell is written escaped, between its own tags.
    GridData grid;
    grid.SetCell(7, 1, bytes);
    const std::string doc = tav::reports::WriteHtmlReport(ReportSnapshot{.Rows = grid});
    QCOMPARE(Count(doc, "<td><typ>" + escaped.toStdString() + "</typ></td> \r\n"), 1);
}

QTEST_GUILESS_MAIN(TestReportWriters)
#include "tst_ReportWriters.moc"
