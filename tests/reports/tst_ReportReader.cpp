// Reading HTML reports back: the tag search with its two cursors, the import
// of markers, header fields and rows, damaged files, and write -> read ->
// write through real files.
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>

#include <cerrno>
#include <string>
#include <vector>

#include "ReportFixture.h"
#include "platform/Cp1250.h"
#include "records/GridData.h"
#include "reports/HtmlImport.h"
#include "reports/HtmlReport.h"
#include "reports/ReportFile.h"
#include "reports/TagReader.h"

using tav::records::GridData;
using tav::records::GridRow;
using tav::reports::HtmlImportResult;
using tav::reports::ReportSnapshot;
using tav::reports::TagCursors;

namespace {

std::string Join(const GridRow& row) {
    std::string joined;
    for (std::size_t c = 0; c < row.size(); ++c) {
        joined += (c == 0 ? "" : "|") + row[c];
    }
    return joined;
}

QStringList Joined(const std::vector<GridRow>& rows) {
    QStringList list;
    for (const GridRow& row : rows) {
        list << QString::fromStdString(Join(row));
    }
    return list;
}

// Rows with the given site IDs whose cells are the ID and the column number
// ("A1" .. "A16").
GridData LetteredTable(const std::vector<std::string>& sites) {
    GridData grid;
    grid.SetRowCount(static_cast<int>(sites.size()) + 1);
    for (std::size_t r = 0; r < sites.size(); ++r) {
        grid.SetCell(0, static_cast<int>(r) + 1, sites[r]);
        for (int c = 1; c < tav::records::kColumnCount; ++c) {
            grid.SetCell(c, static_cast<int>(r) + 1, sites[r] + std::to_string(c));
        }
    }
    return grid;
}

QString LetteredRow(const QString& site, const QString& first, int from) {
    QString row = site;
    for (int c = 1; c < tav::records::kColumnCount; ++c) {
        row += "|" + (c < from ? site : first) + QString::number(c);
    }
    return row;
}

std::vector<std::string> ReportLines(const GridData& grid, int language = 1) {
    ReportSnapshot snapshot{.Rows = grid, .CompanyName = "Firma", .Language = language};
    return tav::reports::SplitLines(tav::reports::WriteHtmlReport(snapshot));
}

// Index of the first line holding `text` after line `from`.
std::size_t LineWith(const std::vector<std::string>& lines, const std::string& text,
                     std::size_t from = 0) {
    for (std::size_t i = from; i < lines.size(); ++i) {
        if (lines[i].find(text) != std::string::npos) {
            return i;
        }
    }
    return lines.size();
}

HtmlImportResult Import(const std::vector<std::string>& lines, std::uint8_t interface = 1) {
    TagCursors cursors;
    return tav::reports::ImportHtmlReport(lines, cursors, interface);
}

class CountingObserver final : public tav::records::GridObserver {
  public:
    void RowCountChanged(int oldCount, int newCount) override {
        changes << QStringLiteral("%1->%2").arg(oldCount).arg(newCount);
    }
    void CellChanged(int, int) override { ++cells; }
    void Refreshed() override { ++refreshes; }
    QStringList changes;
    int cells = 0;
    int refreshes = 0;
};

}  // namespace

class TestReportReader : public QObject {
    Q_OBJECT

  private slots:
    void extractTaggedText_data();
    void extractTaggedText();
    void roundTripThroughFile_data();
    void roundTripThroughFile();
    void valuesOfUnescapedReports_data();
    void valuesOfUnescapedReports();
    void notAReport_data();
    void notAReport();
    void markerNumberOnlyDrivesProgress();
    void progressPercent_data();
    void progressPercent();
    void languageMarker_data();
    void languageMarker();
    void parseDecimal_data();
    void parseDecimal();
    void damagedRows_data();
    void damagedRows();
    void reportWithoutRows();
    void loadRowsIntoGrid();
    void loadFileLines_data();
    void loadFileLines();
    void unreadableFile();
};

void TestReportReader::extractTaggedText_data() {
    QTest::addColumn<int>("cursor");
    QTest::addColumn<int>("previous");
    QTest::addColumn<QString>("startTag");
    QTest::addColumn<QString>("endTag");
    QTest::addColumn<QString>("result");
    QTest::addColumn<int>("cursorAfter");
    QTest::addColumn<int>("previousAfter");
    // Lines: 0 "<a>1</a>", 1 "plain", 2 "<b>2</b> and <a>3</a>",
    // 3 "</c>end before start<c>", 4 "<a></a>", 5 "<d>only the start",
    // 6 "<f>x<f>y</f>".
    QTest::newRow("on the cursor line") << 0 << 0 << "<a>"
                                        << "</a>"
                                        << "1" << 1 << 0;
    QTest::newRow("lines without the pair skipped") << 1 << 0 << "<a>"
                                                    << "</a>"
                                                    << "3" << 3 << 2;
    QTest::newRow("first of two pairs") << 2 << 0 << "<b>"
                                        << "</b>"
                                        << "2" << 3 << 2;
    QTest::newRow("end tag before start tag: found, empty") << 0 << 0 << "<c>"
                                                            << "</c>"
                                                            << "" << 4 << 3;
    QTest::newRow("tags touching: found, empty") << 3 << 0 << "<a>"
                                                 << "</a>"
                                                 << "" << 5 << 4;
    QTest::newRow("first start tag, end tag from the line start") << 6 << 0 << "<f>"
                                                                  << "</f>"
                                                                  << "x<f>y" << 7 << 6;
    QTest::newRow("start without end, none left: back to previous") << 0 << 2 << "<d>"
                                                                    << "</d>"
                                                                    << "" << 2 << 2;
    QTest::newRow("none left after the cursor") << 5 << 1 << "<a>"
                                                << "</a>"
                                                << "" << 1 << 1;
    QTest::newRow("cursor past the last line") << 9 << 3 << "<a>"
                                               << "</a>"
                                               << "" << 3 << 3;
}

void TestReportReader::extractTaggedText() {
    QFETCH(int, cursor);
    QFETCH(int, previous);
    QFETCH(QString, startTag);
    QFETCH(QString, endTag);
    QFETCH(QString, result);
    QFETCH(int, cursorAfter);
    QFETCH(int, previousAfter);
    const std::vector<std::string> lines = {"<a>1</a>",
                                            "plain",
                                            "<b>2</b> and <a>3</a>",
                                            "</c>end before start<c>",
                                            "<a></a>",
                                            "<d>only the start",
                                            "<f>x<f>y</f>"};
    TagCursors cursors{cursor, previous};
    QCOMPARE(tav::reports::ExtractTaggedText(lines, cursors, startTag.toStdString(),
                                             endTag.toStdString()),
             result.toStdString());
    QCOMPARE(cursors.TagCursor, cursorAfter);
    QCOMPARE(cursors.PreviousTagCursor, previousAfter);
}

void TestReportReader::roundTripThroughFile_data() {
    QTest::addColumn<int>("language");
    QTest::addColumn<bool>("awkwardCells");
    for (int language = 0; language <= 4; ++language) {
        QTest::addRow("language %d", language) << language << false;
    }
    QTest::newRow("awkward cells") << 2 << true;
}

// A report written, saved, loaded and read gives the same cells (an empty
// site ID as "-"), header fields and language; written again it is the same
// file byte for byte.
void TestReportReader::roundTripThroughFile() {
    QFETCH(int, language);
    QFETCH(bool, awkwardCells);
    GridData grid;
    tav::test::FillReportFixture(grid);
    if (awkwardCells) {
        grid.SetCell(3, 1, " 7 ");                 // blanks at both ends survive
        grid.SetCell(1, 2, "x</data>y");           // its own end tag
        grid.SetCell(6, 3, "&lt;&amp;");           // entity texts as typed
        grid.SetCell(7, 4, "<!lok9/lok><ocena>");  // other tags of the file
        grid.SetCell(0, 2, "A/lok>B");
    }
    const ReportSnapshot written = tav::test::FixtureSnapshot(grid, language);
    const std::string bytes = tav::reports::WriteHtmlReport(written);

    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const std::string path = dir.filePath("report.htm").toStdString();
    QCOMPARE(tav::reports::SaveFileSafely(path, bytes), tav::reports::kSaveWritten);
    std::vector<std::string> lines;
    QVERIFY(tav::reports::LoadFileLines(path, lines));

    TagCursors cursors{0, 17};
    const HtmlImportResult read = tav::reports::ImportHtmlReport(lines, cursors, 0);
    QVERIFY(read.IsReport);
    QCOMPARE(read.MarkerRowCount, 4);
    QCOMPARE(static_cast<int>(read.DocumentLanguage), language);
    QCOMPARE(read.CompanyName, written.CompanyName);
    QCOMPARE(read.TypeLine, written.TypeLine);
    QCOMPARE(read.DownloadTime, written.DownloadTime);
    QCOMPARE(read.PeriodFrom, written.PeriodFrom);
    QCOMPARE(read.PeriodTo, written.PeriodTo);
    QCOMPARE(read.Rows.size(), std::size_t{4});
    for (int r = 1; r <= 4; ++r) {
        GridRow expected = grid.Row(r);
        if (expected[0].empty()) {
            expected[0] = "-";
        }
        QCOMPARE(Join(read.Rows[static_cast<std::size_t>(r - 1)]), Join(expected));
    }

    GridData again;
    tav::reports::LoadRowsIntoGrid(read.Rows, again);
    const ReportSnapshot rewritten{.Rows = again,
                                   .CompanyName = read.CompanyName,
                                   .TypeLine = read.TypeLine,
                                   .DownloadTime = read.DownloadTime,
                                   .PeriodFrom = read.PeriodFrom,
                                   .PeriodTo = read.PeriodTo,
                                   .Language = read.DocumentLanguage};
    TAV_COMPARE_BYTES(tav::reports::WriteHtmlReport(rewritten), bytes);
}

void TestReportReader::valuesOfUnescapedReports_data() {
    QTest::addColumn<QString>("cellLine");
    QTest::addColumn<QString>("value");
    QTest::newRow("plain") << "<td><prod>FRI</prod></td> "
                           << "FRI";
    QTest::newRow("raw < and &") << "<td><prod>A<B & C</prod></td> "
                                 << "A<B & C";
    QTest::newRow("raw own end tag cuts the cell") << "<td><prod>x</prod>y</prod></td> "
                                                   << "x";
    QTest::newRow("entity texts are resolved")
        << "<td><prod>&lt;b&gt; &amp;amp; &quot;</prod></td> "
        << "<b> &amp; &quot;";
}

// Files of writers that escaped nothing still read as they always did, unless
// a value holds one of the three entity texts.
void TestReportReader::valuesOfUnescapedReports() {
    QFETCH(QString, cellLine);
    QFETCH(QString, value);
    std::vector<std::string> lines = ReportLines(LetteredTable({"A"}));
    const std::size_t prod = LineWith(lines, "<td><prod>");
    QVERIFY(prod < lines.size());
    lines[prod] = cellLine.toStdString();
    const HtmlImportResult read = Import(lines);
    QCOMPARE(read.Rows.size(), std::size_t{1});
    QCOMPARE(read.Rows[0][6], value.toStdString());
    QCOMPARE(read.Rows[0][7], std::string("A7"));
}

void TestReportReader::notAReport_data() {
    QTest::addColumn<QStringList>("lines");
    QTest::newRow("no lines") << QStringList{};
    QTest::newRow("no marker") << QStringList{"<html>", "<!lokA/lok>", "<td><data>1</data></td>"};
    QTest::newRow("empty marker") << QStringList{"<!morvalentfusionreport/morvalentfusionreport> ",
                                                 "<!lokA/lok>"};
    QTest::newRow("marker halves on two lines")
        << QStringList{"<!morvalentfusionreport5", "/morvalentfusionreport>"};
}

void TestReportReader::notAReport() {
    QFETCH(QStringList, lines);
    std::vector<std::string> bytes;
    for (const QString& line : lines) {
        bytes.push_back(line.toStdString());
    }
    const HtmlImportResult read = Import(bytes);
    QVERIFY(!read.IsReport);
    QVERIFY(read.Rows.empty());
}

// A marker of 5 over 200 rows imports all 200; the bar is full long before
// the end. A marker that is no number imports all rows as well.
void TestReportReader::markerNumberOnlyDrivesProgress() {
    std::vector<std::string> sites;
    for (int i = 0; i < 200; ++i) {
        sites.push_back(std::to_string(1000 + i));
    }
    std::vector<std::string> lines = ReportLines(LetteredTable(sites));
    const std::size_t marker = LineWith(lines, "<!morvalentfusionreport200/");
    QVERIFY(marker < lines.size());

    for (const std::string& number : {std::string("5"), std::string("five")}) {
        lines[marker] = "<!morvalentfusionreport" + number + "/morvalentfusionreport> ";
        std::vector<std::pair<int, int>> calls;
        TagCursors cursors;
        const HtmlImportResult read = tav::reports::ImportHtmlReport(
            lines, cursors, 1, [&](int rows, std::int32_t n) { calls.emplace_back(rows, n); });
        const int expectedMarker = number == "5" ? 5 : 0;
        QVERIFY(read.IsReport);
        QCOMPARE(read.MarkerRowCount, expectedMarker);
        QCOMPARE(read.Rows.size(), std::size_t{200});
        QCOMPARE(read.Rows[199][0], std::string("1199"));
        QCOMPARE(calls.size(), std::size_t{200});
        QCOMPARE(calls.front(), std::make_pair(1, expectedMarker));
        QCOMPARE(calls.back(), std::make_pair(200, expectedMarker));
    }
}

void TestReportReader::progressPercent_data() {
    QTest::addColumn<int>("rows");
    QTest::addColumn<int>("marker");
    QTest::addColumn<int>("percent");
    // The window's row count counts the heading row and the empty row after
    // the rows so far.
    QTest::newRow("first row of 8") << 1 << 8 << 37;
    QTest::newRow("truncated") << 1 << 300 << 1;
    QTest::newRow("reaches full") << 6 << 8 << 100;
    QTest::newRow("beyond full") << 150 << 5 << 100;
    QTest::newRow("negative marker") << 3 << -5 << 0;
    QTest::newRow("no marker") << 3 << 0 << 0;
}

void TestReportReader::progressPercent() {
    QFETCH(int, rows);
    QFETCH(int, marker);
    QFETCH(int, percent);
    QCOMPARE(tav::reports::ImportProgressPercent(rows, marker), percent);
}

void TestReportReader::languageMarker_data() {
    QTest::addColumn<QString>("marker");
    QTest::addColumn<int>("interface");
    QTest::addColumn<int>("language");
    QTest::newRow("0") << "0" << 1 << 0;
    QTest::newRow("4") << "4" << 0 << 4;
    QTest::newRow("7, Polish interface") << "7" << 0 << 0;
    QTest::newRow("7, English interface") << "7" << 1 << 1;
    QTest::newRow("260: lowest 8 bits") << "260" << 0 << 4;
    QTest::newRow("-1: out of range") << "-1" << 0 << 0;
    QTest::newRow("letter") << "x" << 0 << -1;
    QTest::newRow("blank before digit") << " 3" << 1 << -1;
    QTest::newRow("empty") << "" << 0 << 0;
    QTest::newRow("missing") << "<none>" << 1 << 1;
    QTest::newRow("damaged interface language counts as English") << "" << 7 << 1;
}

void TestReportReader::languageMarker() {
    QFETCH(QString, marker);
    QFETCH(int, interface);
    QFETCH(int, language);
    std::vector<std::string> lines = ReportLines(LetteredTable({"A"}), 2);
    const std::size_t line = LineWith(lines, "<!jezykdokum");
    QVERIFY(line < lines.size());
    if (marker == "<none>") {
        lines.erase(lines.begin() + static_cast<std::ptrdiff_t>(line));
    } else {
        lines[line] = "<!jezykdokum" + marker.toStdString() + "/jezykdokum> ";
    }
    const HtmlImportResult read = Import(lines, static_cast<std::uint8_t>(interface));
    QCOMPARE(static_cast<int>(read.DocumentLanguage), language);
    // The header fields and rows are read whatever the marker says.
    QCOMPARE(read.CompanyName, std::string("Firma"));
    QCOMPARE(read.Rows.size(), std::size_t{1});
}

void TestReportReader::parseDecimal_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("valid");
    QTest::addColumn<int>("value");
    QTest::newRow("digit") << "5" << true << 5;
    QTest::newRow("signs") << "-12" << true << -12;
    QTest::newRow("plus") << "+7" << true << 7;
    QTest::newRow("leading zeros") << "007" << true << 7;
    QTest::newRow("largest") << "2147483647" << true << 2147483647;
    QTest::newRow("too large") << "2147483648" << false << 0;
    QTest::newRow("blank before") << " 5" << false << 0;
    QTest::newRow("blank after") << "5 " << false << 0;
    QTest::newRow("letter after") << "5a" << false << 0;
    QTest::newRow("hex") << "0x5" << false << 0;
    QTest::newRow("sign only") << "-" << false << 0;
    QTest::newRow("empty") << "" << false << 0;
}

void TestReportReader::parseDecimal() {
    QFETCH(QString, text);
    QFETCH(bool, valid);
    QFETCH(int, value);
    const auto parsed = tav::reports::ParseDecimal(text.toStdString());
    QCOMPARE(parsed.has_value(), valid);
    if (valid) {
        QCOMPARE(*parsed, value);
    }
}

void TestReportReader::damagedRows_data() {
    QTest::addColumn<QString>("damage");  // "<row letter> <line text to find>"
    QTest::addColumn<QString>("replacement");
    QTest::addColumn<QStringList>("rows");
    // Row A lost its manufacturer line: the search runs on into row B, whose
    // cells from column 6 on complete row A; row B is lost and C comes next.
    QTest::newRow("missing cell line shifts the rows")
        << "A <td><prod>"
        << "<td>gone</td> " << QStringList{LetteredRow("A", "B", 6), LetteredRow("C", "C", 1)};
    // A tag missing from the rest of the file: the cell stays empty and the
    // next search starts again at the last line found.
    QTest::newRow("missing in the last row")
        << "C <td><ocena>"
        << "<td>gone</td> "
        << QStringList{LetteredRow("A", "A", 1), LetteredRow("B", "B", 1),
                       LetteredRow("C", "C", 1).chopped(3)};
    QTest::newRow("empty site-ID comment ends the rows")
        << "B <!lokB/lok>"
        << "<!lok/lok> " << QStringList{LetteredRow("A", "A", 1)};
}

void TestReportReader::damagedRows() {
    QFETCH(QString, damage);
    QFETCH(QString, replacement);
    QFETCH(QStringList, rows);
    std::vector<std::string> lines = ReportLines(LetteredTable({"A", "B", "C"}));
    const std::size_t rowStart = LineWith(lines, "<!lok" + damage.left(1).toStdString() + "/lok>");
    const std::size_t line = LineWith(lines, damage.mid(2).toStdString(), rowStart);
    QVERIFY(line < lines.size());
    lines[line] = replacement.toStdString();
    QCOMPARE(Joined(Import(lines).Rows), rows);
}

// A report whose table has no rows (the row lines taken out) imports none,
// and putting that into a table leaves row 1 empty rather than what it held.
// The writer never writes such a report: an emptied table is written as one
// row "-" of empty cells, and that row comes back.
void TestReportReader::reportWithoutRows() {
    GridData empty;
    std::vector<std::string> lines = ReportLines(empty);
    QCOMPARE(Joined(Import(lines).Rows), QStringList{"-" + QString("|").repeated(16)});

    const std::size_t first = LineWith(lines, "<br/>");
    const std::size_t closing = LineWith(lines, "<! ====");
    QVERIFY(first < closing && closing < lines.size());
    lines.erase(lines.begin() + static_cast<std::ptrdiff_t>(first),
                lines.begin() + static_cast<std::ptrdiff_t>(closing));
    const HtmlImportResult read = Import(lines);
    QVERIFY(read.IsReport);
    QCOMPARE(read.MarkerRowCount, 1);
    QCOMPARE(read.CompanyName, std::string("Firma"));
    QVERIFY(read.Rows.empty());

    GridData grid = LetteredTable({"X", "Y"});
    grid.SetCell(0, 0, "heading");
    tav::reports::LoadRowsIntoGrid(read.Rows, grid);
    QCOMPARE(grid.RowCount(), 2);
    QCOMPARE(Join(grid.Row(1)), Join(GridRow{}));
    QCOMPARE(grid.Cell(0, 0), std::string("heading"));
}

void TestReportReader::loadRowsIntoGrid() {
    GridData grid = LetteredTable({"A", "B", "C", "D"});
    CountingObserver observer;
    grid.SetObserver(&observer);
    const std::vector<GridRow> rows = {GridRow{"X", "1"}, GridRow{"Y", "", "2"}};
    tav::reports::LoadRowsIntoGrid(rows, grid);
    QCOMPARE(grid.RowCount(), 3);
    QCOMPARE(Join(grid.Row(1)), Join(rows[0]));
    QCOMPARE(Join(grid.Row(2)), Join(rows[1]));
    // One refresh instead of a notice per cell.
    QCOMPARE(observer.changes, QStringList{"5->3"});
    QCOMPARE(observer.refreshes, 1);
    QCOMPARE(observer.cells, 0);
    QCOMPARE(grid.Observer(), &observer);
}

void TestReportReader::loadFileLines_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QStringList>("lines");
    QTest::newRow("CR LF") << QByteArray("a \r\nb \r\n") << QStringList{"a ", "b "};
    QTest::newRow("LF") << QByteArray("a\nb\n") << QStringList{"a", "b"};
    QTest::newRow("no last line end") << QByteArray("a\r\nb") << QStringList{"a", "b"};
    QTest::newRow("empty lines") << QByteArray("\r\n\r\nc\r\n") << QStringList{"", "", "c"};
    QTest::newRow("lone CR stays") << QByteArray("x\ry\r\n") << QStringList{"x\ry"};
    QTest::newRow("empty file") << QByteArray() << QStringList{};
}

void TestReportReader::loadFileLines() {
    QFETCH(QByteArray, bytes);
    QFETCH(QStringList, lines);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const std::string path = dir.filePath("lines.txt").toStdString();
    QCOMPARE(tav::reports::SaveFileSafely(
                 path, std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size()))),
             tav::reports::kSaveWritten);
    std::vector<std::string> loaded = {"old"};
    QVERIFY(tav::reports::LoadFileLines(path, loaded));
    QStringList got;
    for (const std::string& line : loaded) {
        got << QString::fromStdString(line);
    }
    QCOMPARE(got, lines);
}

void TestReportReader::unreadableFile() {
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    std::vector<std::string> lines = {"kept"};
    int error = 0;
    QVERIFY(!tav::reports::LoadFileLines(dir.filePath("missing.htm").toStdString(), lines, &error));
    QCOMPARE(error, ENOENT);
    QVERIFY(!tav::reports::LoadFileLines(dir.path().toStdString(), lines, &error));
    QCOMPARE(error, EISDIR);
    QCOMPARE(lines, std::vector<std::string>{"kept"});
}

QTEST_GUILESS_MAIN(TestReportReader)
#include "tst_ReportReader.moc"
