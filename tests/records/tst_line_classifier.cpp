// The line classifier: which rule takes a welder line, in rule order, with
// lines that end before a tested position, and what it cuts out of site and
// record lines.
#include <QtTest>

#include "LineSamples.h"
#include "records/LineClassifier.h"

using tav::records::ClassifyRecordLine;
using tav::records::LineKind;
using tav::test::Marked;
using tav::test::RecordWith;
using tav::test::View;

Q_DECLARE_METATYPE(tav::records::LineKind)

class TestLineClassifier : public QObject {
    Q_OBJECT

private slots:
    void kindAndLanguage_data();
    void kindAndLanguage();
    void siteId_data();
    void siteId();
    void recordSlices_data();
    void recordSlices();
    void trimLeadingBlanks_data();
    void trimLeadingBlanks();
};

void TestLineClassifier::kindAndLanguage_data() {
    QTest::addColumn<QByteArray>("line");
    QTest::addColumn<LineKind>("kind");
    QTest::addColumn<int>("language");

    const QByteArray record(tav::test::kRecordLine.data(),
                            static_cast<qsizetype>(tav::test::kRecordLine.size()));

    // Type lines: each language test, and type tests that find no language.
    QTest::newRow("type polish") << Marked(40, {{34, 'a'}, {12, 'g'}}) << LineKind::TypeLine << 0;
    QTest::newRow("type english") << Marked(40, {{34, 'x'}, {12, 'e'}}) << LineKind::TypeLine << 1;
    QTest::newRow("type czech") << Marked(40, {{32, 'c'}, {12, 'd'}}) << LineKind::TypeLine << 2;
    QTest::newRow("type romanian") << Marked(40, {{36, 't'}, {12, 't'}}) << LineKind::TypeLine << 3;
    QTest::newRow("type, 'a' at 34 but 'e' at 12")
        << Marked(40, {{34, 'a'}, {12, 'e'}}) << LineKind::TypeLine << -1;
    QTest::newRow("type, 'x' at 34 but 'g' at 12")
        << Marked(40, {{34, 'x'}, {12, 'g'}}) << LineKind::TypeLine << -1;
    QTest::newRow("type, 't' at 36 only") << Marked(37, {{36, 't'}}) << LineKind::TypeLine << -1;
    QTest::newRow("type, later language test holds")
        << Marked(40, {{34, 'a'}, {32, 'c'}, {12, 'd'}}) << LineKind::TypeLine << 2;
    QTest::newRow("type, exactly 35 long")
        << Marked(35, {{34, 'x'}, {12, 'e'}}) << LineKind::TypeLine << 1;

    // A record line carrying a type character is taken by the type rule.
    QTest::newRow("record with 'a' at 34") << RecordWith({{34, 'a'}}) << LineKind::TypeLine << -1;
    QTest::newRow("record with 'x' at 34") << RecordWith({{34, 'x'}}) << LineKind::TypeLine << -1;
    QTest::newRow("record with 'c' at 32") << RecordWith({{32, 'c'}}) << LineKind::TypeLine << -1;
    QTest::newRow("record with 't' at 36") << RecordWith({{36, 't'}}) << LineKind::TypeLine << -1;

    QTest::newRow("download time D T") << QByteArray("D T") << LineKind::DownloadTime << -1;
    QTest::newRow("download time P I")
        << QByteArray("PxI 01.03.2008") << LineKind::DownloadTime << -1;
    QTest::newRow("D with 'X' at 2") << QByteArray("DXX") << LineKind::Other << -1;

    QTest::newRow("period start W o")
        << Marked(8, {{0, 'W'}, {7, 'o'}}) << LineKind::PeriodStart << -1;
    QTest::newRow("period start S d")
        << Marked(10, {{0, 'S'}, {9, 'd'}}) << LineKind::PeriodStart << -1;
    QTest::newRow("period start T e")
        << Marked(11, {{0, 'T'}, {10, 'e'}}) << LineKind::PeriodStart << -1;
    QTest::newRow("period start T o")
        << Marked(6, {{0, 'T'}, {5, 'o'}}) << LineKind::PeriodStart << -1;
    // Rule 3 comes before rule 4.
    QTest::newRow("T e and T d: start")
        << Marked(11, {{0, 'T'}, {10, 'e'}, {5, 'd'}}) << LineKind::PeriodStart << -1;
    QTest::newRow("period end W d") << Marked(8, {{0, 'W'}, {7, 'd'}}) << LineKind::PeriodEnd << -1;
    QTest::newRow("period end E t")
        << Marked(10, {{0, 'E'}, {9, 't'}}) << LineKind::PeriodEnd << -1;
    QTest::newRow("period end T a")
        << Marked(11, {{0, 'T'}, {10, 'a'}}) << LineKind::PeriodEnd << -1;
    QTest::newRow("period end T d") << Marked(6, {{0, 'T'}, {5, 'd'}}) << LineKind::PeriodEnd << -1;
    QTest::newRow("W with 'x' at 7") << Marked(8, {{0, 'W'}, {7, 'x'}}) << LineKind::Other << -1;

    QTest::newRow("site Nu") << QByteArray("Numer budowy: 0001") << LineKind::Site << -1;
    QTest::newRow("site Co") << QByteArray("Construction site: 0001") << LineKind::Site << -1;
    QTest::newRow("site Ci") << QByteArray("Cislo stavby: 0001") << LineKind::Site << -1;
    QTest::newRow("Na is no site") << QByteArray("Nazwa: 0001") << LineKind::Other << -1;

    QTest::newRow("record") << record << LineKind::Record << -1;
    QTest::newRow("record without '.' at 8") << RecordWith({{8, '-'}}) << LineKind::Other << -1;
    QTest::newRow("record, shortest") << QByteArray("|1234.67.") << LineKind::Record << -1;

    QTest::newRow("end of data L G") << QByteArray(" L G") << LineKind::EndOfData << -1;
    QTest::newRow("end of data E P") << QByteArray("*E*P*") << LineKind::EndOfData << -1;
    QTest::newRow("end of data L P") << QByteArray(" L P") << LineKind::EndOfData << -1;
    QTest::newRow("end of data E G") << QByteArray(" E G") << LineKind::EndOfData << -1;

    QTest::newRow("no data k z") << Marked(17, {{11, 'k'}, {16, 'z'}}) << LineKind::NoData << -1;
    QTest::newRow("no data l n") << Marked(17, {{11, 'l'}, {16, 'n'}}) << LineKind::NoData << -1;
    QTest::newRow("no data d d") << Marked(17, {{11, 'd'}, {16, 'd'}}) << LineKind::NoData << -1;
    QTest::newRow("no data c o") << Marked(17, {{11, 'c'}, {16, 'o'}}) << LineKind::NoData << -1;
    QTest::newRow("k with 'n' at 16")
        << Marked(17, {{11, 'k'}, {16, 'n'}}) << LineKind::Other << -1;

    // Tested positions at or past the end of the line fail.
    QTest::newRow("empty") << QByteArray() << LineKind::Other << -1;
    QTest::newRow("D alone") << QByteArray("D") << LineKind::Other << -1;
    QTest::newRow("D, 2 past the end") << QByteArray("DI") << LineKind::Other << -1;
    QTest::newRow("T, 5 past the end") << QByteArray("Tabc") << LineKind::Other << -1;
    QTest::newRow("N alone") << QByteArray("N") << LineKind::Other << -1;
    QTest::newRow("record cut before 8") << QByteArray("|1234.6") << LineKind::Other << -1;
    QTest::newRow(" L, 3 past the end") << QByteArray(" L ") << LineKind::Other << -1;
    QTest::newRow("k at 11, 16 past the end") << Marked(16, {{11, 'k'}}) << LineKind::Other << -1;
    QTest::newRow("34 past the end") << Marked(34, {{12, 'g'}}) << LineKind::Other << -1;
}

void TestLineClassifier::kindAndLanguage() {
    QFETCH(QByteArray, line);
    QFETCH(LineKind, kind);
    QFETCH(int, language);

    const auto classified = ClassifyRecordLine(View(line));
    QCOMPARE(classified.kind, kind);
    QCOMPARE(int(classified.language), language);
}

void TestLineClassifier::siteId_data() {
    QTest::addColumn<QByteArray>("line");
    QTest::addColumn<QByteArray>("id");

    QTest::newRow("blank and five after the colon")
        << QByteArray("Numer budowy: 12345") << QByteArray("1234");
    QTest::newRow("ID right after the colon")
        << QByteArray("Numer budowy:12345") << QByteArray("2345");
    QTest::newRow("two after the colon") << QByteArray("Numer budowy: 7") << QByteArray("7");
    QTest::newRow("one after the colon") << QByteArray("Numer budowy: ") << QByteArray();
    QTest::newRow("colon last") << QByteArray("Numer budowy:") << QByteArray();
    QTest::newRow("first colon counts") << QByteArray("Constr. site: 1:23") << QByteArray("1:23");
    QTest::newRow("no colon") << QByteArray("Nu 0815") << QByteArray("u 08");
    QTest::newRow("no colon, two long") << QByteArray("Co") << QByteArray("o");
    QTest::newRow("Windows-1250 bytes kept")
        << QByteArray("Cislo stavby: \xA5\xB3\x9C\xBF\xE6") << QByteArray("\xA5\xB3\x9C\xBF");
}

void TestLineClassifier::siteId() {
    QFETCH(QByteArray, line);
    QFETCH(QByteArray, id);

    const auto classified = ClassifyRecordLine(View(line));
    QCOMPARE(classified.kind, LineKind::Site);
    QCOMPARE(QByteArray::fromStdString(classified.siteId), id);
}

void TestLineClassifier::recordSlices_data() {
    QTest::addColumn<QByteArray>("line");
    QTest::addColumn<QList<QByteArray>>("cells");  // columns 1..16

    const QByteArray record(tav::test::kRecordLine.data(),
                            static_cast<qsizetype>(tav::test::kRecordLine.size()));
    const QList<QByteArray> full = {"2008.03.01", "14:25", "07",   "0123", "A",   "FRIA",
                                    "D110 KOLAN", "39.5",  "39.6", "100",  "101", "15",
                                    "14",         "+20",   "1.25", " +"};
    QTest::newRow("full") << record << full;
    QTest::newRow("longer than 79: nothing past 78")
        << record + QByteArray(" 99 trailing text") << full;

    QList<QByteArray> cut78 = full;
    cut78[15] = " ";
    QTest::newRow("78 long: last field shortened") << record.left(78) << cut78;

    QList<QByteArray> cut50 = {"2008.03.01", "14:25", "07", "0123", "A", "FRIA",
                               "D110 KOLAN", "39.5",  "3",  "",     "",  "",
                               "",           "",      "",   ""};
    QTest::newRow("ends inside column 9") << record.left(50) << cut50;

    QList<QByteArray> cut9(16);
    cut9[0] = "2008.03.";
    QTest::newRow("shortest record line") << record.left(9) << cut9;

    // Characters between the fields are never examined or copied.
    QByteArray separators = record;
    for (int pos : {11, 17, 20, 25, 27, 43, 48, 53, 57, 61, 64, 67, 71, 76}) {
        separators[pos] = '#';
    }
    QTest::newRow("separators ignored") << separators << full;
}

void TestLineClassifier::recordSlices() {
    QFETCH(QByteArray, line);
    QFETCH(QList<QByteArray>, cells);

    const auto classified = ClassifyRecordLine(View(line));
    QCOMPARE(classified.kind, LineKind::Record);
    QVERIFY(classified.cells[0].empty());
    for (int col = 1; col < tav::records::kColumnCount; ++col) {
        QCOMPARE(QByteArray::fromStdString(classified.cells[static_cast<std::size_t>(col)]),
                 cells[col - 1]);
    }
}

void TestLineClassifier::trimLeadingBlanks_data() {
    QTest::addColumn<QByteArray>("line");
    QTest::addColumn<QByteArray>("trimmed");

    QTest::newRow("blanks and controls") << QByteArray(
                                                "  \t\x01\x1f"
                                                "Zgrzewarka ZE-1 ")
                                         << QByteArray("Zgrzewarka ZE-1 ");
    QTest::newRow("nothing to trim") << QByteArray("Welder") << QByteArray("Welder");
    QTest::newRow("only blanks") << QByteArray(" \t ") << QByteArray();
    // Bytes above 0x7f are letters of the code page, not control characters.
    QTest::newRow("Windows-1250 letter first")
        << QByteArray("\xA5\xB3 typ") << QByteArray("\xA5\xB3 typ");
    QTest::newRow("no-break space kept") << QByteArray("\xA0x") << QByteArray("\xA0x");
}

void TestLineClassifier::trimLeadingBlanks() {
    QFETCH(QByteArray, line);
    QFETCH(QByteArray, trimmed);
    QCOMPARE(QByteArray::fromStdString(tav::records::TrimLeadingBlanks(View(line))), trimmed);
}

QTEST_GUILESS_MAIN(TestLineClassifier)
#include "tst_line_classifier.moc"
