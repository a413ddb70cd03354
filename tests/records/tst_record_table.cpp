// Applying welder lines to the record table and its bookkeeping, the heading
// row in each language, and the warning for missing header lines.
#include <QtTest>

#include "LineSamples.h"
#include "records/ColumnModel.h"
#include "records/RecordTable.h"

using tav::records::ApplyRecordLine;
using tav::records::GridData;
using tav::records::kLineEndOfData;
using tav::records::kLineGoOn;
using tav::records::kLineNoData;
using tav::records::LineEffects;
using tav::records::RecordTableState;
using tav::test::Marked;
using tav::test::RecordWith;
using tav::test::View;

namespace {

QByteArray Bytes(const std::string& text) {
    return QByteArray::fromStdString(text);
}

// Leading blanks, then the wording's letters at 2, 12 and 34.
const QByteArray kPolishType = Marked(40, {{2, 'Z'}, {12, 'g'}, {34, 'a'}});
const QByteArray kPeriodStart = Marked(20, {{0, 'W'}, {7, 'o'}});
const QByteArray kPeriodEnd = Marked(20, {{0, 'W'}, {7, 'd'}});
const QByteArray kDownloadTime = "DATA POBRANIA: 2008.03.31 12:00";
const QByteArray kSite1 = "Numer budowy: 0001";
const QByteArray kSite2 = "Numer budowy: 0002";
const QByteArray kEndOfData = " LOGOUT";
const QByteArray kNoData = Marked(17, {{11, 'k'}, {16, 'z'}});

// A table as the reception start leaves it.
struct Download {
    RecordTableState state;
    GridData grid;
    std::uint32_t tick = 5000;

    Download() {
        state.NextRecordRow = 1;
        state.RecordsParsed = 0;
        state.InterfaceLanguage = 1;
    }

    std::uint8_t Feed(const QByteArray& line, LineEffects& effects) {
        return ApplyRecordLine(state, grid, View(line), ++tick, effects);
    }
    std::uint8_t Feed(const QByteArray& line) {
        LineEffects effects;
        return Feed(line, effects);
    }
};

QByteArray Record(char fusionDigit) {
    return RecordWith({{24, fusionDigit}});
}

}  // namespace

class TestRecordTable : public QObject {
    Q_OBJECT

private slots:
    void wholeDownload();
    void resultAndTick_data();
    void resultAndTick();
    void endOfDataWithoutRecords();
    void noData();
    void typeTestWithoutLanguage();
    void recordWithTypeCharacter();
    void headings_data();
    void headings();
    void headingTexts();
    void headerWarning_data();
    void headerWarning();
};

// A download in Polish: header lines, a record before any site line, two
// sites, the closing line.
void TestRecordTable::wholeDownload() {
    Download d;
    LineEffects type;
    QCOMPARE(d.Feed(kPolishType, type), kLineGoOn);
    QCOMPARE(d.state.DocumentLanguage, std::int8_t{0});
    QVERIFY(d.state.TypeLineReceived);
    QCOMPARE(Bytes(type.typeLineStatus.value()), kPolishType.mid(2));  // blanks trimmed

    LineEffects time;
    d.Feed(kDownloadTime, time);
    QCOMPARE(Bytes(time.downloadTime.value()), kDownloadTime);
    d.Feed(kPeriodStart);
    d.Feed(kPeriodEnd);
    QCOMPARE(Bytes(d.state.PeriodFrom), kPeriodStart);
    QCOMPARE(Bytes(d.state.PeriodTo), kPeriodEnd);

    d.Feed(Record('1'));
    d.Feed(kSite1);
    QVERIFY(d.state.SiteLineReceived);
    d.Feed(Record('2'));
    d.Feed(Record('3'));
    d.Feed(kSite2);
    d.Feed(Record('4'));
    QCOMPARE(d.grid.RowCount(), 6);  // one empty row follows the last record
    QCOMPARE(d.state.NextRecordRow, 5);
    QCOMPARE(d.state.RecordsParsed, 4);

    LineEffects end;
    QCOMPARE(d.Feed(kEndOfData, end), kLineEndOfData);
    QCOMPARE(d.grid.RowCount(), 5);
    QCOMPARE(d.state.LastLineTick, d.tick);
    QCOMPARE(Bytes(end.periodDisplay.value()), kPeriodStart + ' ' + kPeriodEnd);
    QCOMPARE(end.saveAvailable, std::optional<bool>(true));
    QVERIFY(end.headingsWritten);
    QCOMPARE(d.grid.Cell(0, 0), std::string("Lokalizacja"));

    const char* sites[] = {"", "0001", "0001", "0002"};
    for (int row = 1; row <= 4; ++row) {
        QCOMPARE(d.grid.Cell(0, row), std::string(sites[row - 1]));
        QCOMPARE(d.grid.Cell(4, row), std::string("012") + char('0' + row));
        QCOMPARE(d.grid.Cell(7, row), std::string("D110 KOLAN"));
        QCOMPARE(d.grid.Cell(16, row), std::string(" +"));
    }
}

// Rules 1 to 8 refresh LastLineTick; an unrecognised line does not.
void TestRecordTable::resultAndTick_data() {
    QTest::addColumn<QByteArray>("line");
    QTest::addColumn<int>("result");
    QTest::addColumn<bool>("refreshesTick");

    QTest::newRow("type") << kPolishType << int(kLineGoOn) << true;
    QTest::newRow("download time") << kDownloadTime << int(kLineGoOn) << true;
    QTest::newRow("period start") << kPeriodStart << int(kLineGoOn) << true;
    QTest::newRow("period end") << kPeriodEnd << int(kLineGoOn) << true;
    QTest::newRow("site") << kSite1 << int(kLineGoOn) << true;
    QTest::newRow("record") << Record('1') << int(kLineGoOn) << true;
    QTest::newRow("end of data") << kEndOfData << int(kLineEndOfData) << true;
    QTest::newRow("no data") << kNoData << int(kLineNoData) << true;
    QTest::newRow("unrecognised") << QByteArray("garbage") << int(kLineGoOn) << false;
    QTest::newRow("empty") << QByteArray() << int(kLineGoOn) << false;
}

void TestRecordTable::resultAndTick() {
    QFETCH(QByteArray, line);
    QFETCH(int, result);
    QFETCH(bool, refreshesTick);

    Download d;
    d.state.LastLineTick = 77;
    LineEffects effects;
    QCOMPARE(int(ApplyRecordLine(d.state, d.grid, View(line), 0xFFFFFFF0u, effects)), result);
    QCOMPARE(d.state.LastLineTick, refreshesTick ? 0xFFFFFFF0u : 77u);
}

void TestRecordTable::endOfDataWithoutRecords() {
    Download d;
    d.state.PeriodFrom = "2008.03.01";
    d.state.PeriodTo = "2008.03.31";
    LineEffects end;
    QCOMPARE(d.Feed(kEndOfData, end), kLineEndOfData);
    QCOMPARE(d.grid.RowCount(), 2);
    for (int col = 0; col < tav::records::kColumnCount; ++col) {
        QVERIFY(d.grid.Cell(col, 1).empty());
    }
    QCOMPARE(end.periodDisplay, std::optional<std::string>("2008.03.01 2008.03.31"));
    QCOMPARE(end.saveAvailable, std::optional<bool>(true));
    QCOMPARE(d.grid.Cell(0, 0), std::string("Constr.Site ID"));
}

void TestRecordTable::noData() {
    Download d;
    d.state.PeriodFrom = "2008.03.01";
    d.state.PeriodTo = "2008.03.31";
    d.Feed(Record('1'));
    LineEffects none;
    QCOMPARE(d.Feed(kNoData, none), kLineNoData);
    QVERIFY(d.state.PeriodFrom.empty());
    QVERIFY(d.state.PeriodTo.empty());
    QCOMPARE(none.periodDisplay, std::optional<std::string>(" "));
    QCOMPARE(none.saveAvailable, std::optional<bool>(false));
    QVERIFY(none.headingsWritten);
    QCOMPARE(d.grid.RowCount(), 2);
    QCOMPARE(d.grid.Cell(0, 0), std::string("Constr.Site ID"));

    // Never below two rows.
    d.Feed(kNoData);
    QCOMPARE(d.grid.RowCount(), 2);
}

// A line that passes the type test but no language test only refreshes the
// tick.
void TestRecordTable::typeTestWithoutLanguage() {
    Download d;
    d.state.DocumentLanguage = 1;
    LineEffects effects;
    QCOMPARE(d.Feed(Marked(40, {{34, 'a'}, {12, 'e'}}), effects), kLineGoOn);
    QCOMPARE(d.state.LastLineTick, d.tick);
    QCOMPARE(d.state.DocumentLanguage, std::int8_t{1});
    QVERIFY(!d.state.TypeLineReceived);
    QVERIFY(!effects.typeLineStatus);
    QVERIFY(!effects.downloadTime && !effects.periodDisplay && !effects.saveAvailable);
    QVERIFY(!effects.headingsWritten);
}

// A record line with 'x' at 34 is a type line: no row, no count.
void TestRecordTable::recordWithTypeCharacter() {
    Download d;
    d.Feed(RecordWith({{34, 'x'}}));
    QCOMPARE(d.state.LastLineTick, d.tick);
    QCOMPARE(d.state.RecordsParsed, 0);
    QCOMPARE(d.state.NextRecordRow, 1);
    QCOMPARE(d.grid.RowCount(), 2);
    QVERIFY(d.grid.Cell(1, 1).empty());
}

void TestRecordTable::headings_data() {
    QTest::addColumn<int>("document");
    QTest::addColumn<int>("interface");
    QTest::addColumn<QByteArray>("column0");
    QTest::addColumn<QByteArray>("column6");

    const QByteArray polish6 = "Producent kszta\xB3tki";  // ł in Windows-1250
    QTest::newRow("none, Polish interface") << -1 << 0 << QByteArray("Lokalizacja") << polish6;
    QTest::newRow("none, English interface")
        << -1 << 1 << QByteArray("Constr.Site ID") << QByteArray("Fitting manuf.");
    QTest::newRow("none, interface byte 7")
        << -1 << 7 << QByteArray("Constr.Site ID") << QByteArray("Fitting manuf.");
    QTest::newRow("Czech document")
        << 2 << 0 << QByteArray("Cislo stavby") << QByteArray("Nazev vyrobce elektrospojky");
    QTest::newRow("Romanian document")
        << 3 << 1 << QByteArray("Numarul constructiei") << QByteArray("Produc. de electrofiting");
    QTest::newRow("document 4 is English")
        << 4 << 0 << QByteArray("Constr.Site ID") << QByteArray("Fitting manuf.");
    QTest::newRow("Polish document, English interface")
        << 0 << 1 << QByteArray("Lokalizacja") << polish6;
    QTest::newRow("document out of range")
        << 9 << 0 << QByteArray("Constr.Site ID") << QByteArray("Fitting manuf.");
}

void TestRecordTable::headings() {
    QFETCH(int, document);
    QFETCH(int, interface);
    QFETCH(QByteArray, column0);
    QFETCH(QByteArray, column6);

    RecordTableState state;
    state.DocumentLanguage = static_cast<std::int8_t>(document);
    state.InterfaceLanguage = static_cast<std::uint8_t>(interface);
    GridData grid;
    grid.SetCell(3, 1, "record");
    tav::records::SetGridHeaders(state, grid);

    QCOMPARE(Bytes(grid.Cell(0, 0)), column0);
    QCOMPARE(Bytes(grid.Cell(6, 0)), column6);
    const int variant = tav::records::HeadingVariant(state);
    QCOMPARE(grid.Row(0), tav::records::ColumnHeadings()[static_cast<std::size_t>(variant)]);
    QCOMPARE(grid.Cell(3, 1), std::string("record"));
}

// Texts whose blanks and letters are easy to get wrong.
void TestRecordTable::headingTexts() {
    const auto& headings = tav::records::ColumnHeadings();
    QCOMPARE(headings[4], headings[1]);
    QCOMPARE(headings[1][3], std::string("Operator  ID"));
    QCOMPARE(headings[0][4], std::string("Nr zgrzewu "));
    QCOMPARE(headings[0][7], std::string("Typ kszta\xB3tki"));
    QCOMPARE(headings[0][15], std::string("Rezystancja kszta\xB3tki[Ohm]"));
    QCOMPARE(headings[3][12], std::string("Timpul de racire selectat[min]"));
    for (const auto& variant : headings) {
        QCOMPARE(variant[5], std::string("A/M"));
        for (const auto& text : variant) {
            QVERIFY(!text.empty());
        }
    }
}

void TestRecordTable::headerWarning_data() {
    QTest::addColumn<bool>("site");
    QTest::addColumn<bool>("type");
    QTest::addColumn<QByteArray>("polish");  // UTF-8

    QTest::newRow("both arrived") << true << true << QByteArray();
    QTest::newRow("site missing")
        << false << true << QByteArray("Nie udało się pobrać danych lokalizacjiSpróbuj ponownie!");
    QTest::newRow("type missing") << true << false
                                  << QByteArray(
                                         "Nie udało się pobrać typu zgrzewarki.Spróbuj ponownie!");
    QTest::newRow("both missing")
        << false << false
        << QByteArray(
               "Nie udało się pobrać danych lokalizacji oraz typu zgrzewarki.Spróbuj "
               "ponownie!");
}

void TestRecordTable::headerWarning() {
    QFETCH(bool, site);
    QFETCH(bool, type);
    QFETCH(QByteArray, polish);

    RecordTableState state;
    state.SiteLineReceived = site;
    state.TypeLineReceived = type;
    const auto warning = tav::records::CheckHeaderLines(state);
    if (polish.isEmpty()) {
        QVERIFY(!warning);
        // A new download forgets both lines.
        tav::records::ResetHeaderFlags(state);
        QVERIFY(tav::records::CheckHeaderLines(state));
        return;
    }
    QVERIFY(warning);
    QCOMPARE(Bytes(warning->polish), polish);
    QCOMPARE(warning->english, std::string("Not all fusion data have been downloaded. Try again!"));
}

QTEST_GUILESS_MAIN(TestRecordTable)
#include "tst_record_table.moc"
