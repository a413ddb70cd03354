// The simulated welder's behaviour without any I/O: its lines checked against
// the program's character tests in all four languages, the table answer and
// its period filter, the frame answers and their faults, the frame
// assembler, the delivery plan, the records file and the generator.
#include <QTest>

#include <unistd.h>
#include <cstdio>
#include <filesystem>
#include <random>
#include <set>

#include "LineRules.h"
#include "platform/Cp1250.h"
#include "sim/Lines.h"
#include "sim/Records.h"
#include "sim/Welder.h"

using namespace tav::sim;
using tav::simtest::Kind;
using tav::simtest::Recognise;

Q_DECLARE_METATYPE(tav::sim::Language)
Q_DECLARE_METATYPE(tav::sim::Faults)

namespace {

FusionRecord Rec(std::string site, std::string date, std::string number) {
    FusionRecord r;
    r.siteId = std::move(site);
    r.fields = {date,   "07:42", "3",   number, "A",  "ZKP", "M 110", "39.5",
                "39.4", "120",   "120", "10",   "10", "21",  "1.25",  "+"};
    return r;
}

// A small memory: two records of no site, two of site 1024, one of ŁASK.
RecordStore SmallStore() {
    return {Rec("", "2009.03.01", "1"), Rec("", "2009.03.02", "2"), Rec("1024", "2009.03.15", "3"),
            Rec("1024", "2009.03.31", "4"), Rec(tav::cp1250::FromUtf8("ŁASK"), "2009.04.01", "5")};
}

std::string Frame(std::string_view text24) {
    return std::string(text24) + "\r\n";
}

std::string Joined(const Reply& reply) {
    std::string all;
    for (const std::string& p : reply.pieces) {
        all += p;
    }
    return all;
}

std::vector<Kind> KindsOf(const std::vector<std::string>& lines) {
    std::vector<Kind> kinds;
    for (const std::string& l : lines) {
        kinds.push_back(Recognise(l).kind);
    }
    return kinds;
}

QString Show(const std::vector<Kind>& kinds) {
    QStringList names;
    for (const Kind k : kinds) {
        names << tav::simtest::KindName(k);
    }
    return names.join(", ");
}

}  // namespace

class TestSimLogic : public QObject {
    Q_OBJECT

  private slots:
    void recordLineLayout_data();
    void recordLineLayout();
    void linesOfEachLanguage_data();
    void linesOfEachLanguage();
    void tableAnswerOrder();
    void periodFilter_data();
    void periodFilter();
    void frameAnswers();
    void contentFaults_data();
    void contentFaults();
    void frameAssembler_data();
    void frameAssembler();
    void deliveryPlan();
    void generatedRecords();
    void recordFileRoundTrip();
    void recordFileErrors_data();
    void recordFileErrors();
};

void TestSimLogic::recordLineLayout_data() {
    QTest::addColumn<QStringList>("fields");
    QTest::newRow("typical") << QStringList{"2009.03.15", "07:42", "3",    "12",  "A",   "ZKP",
                                            "M 110",      "39.5",  "39.4", "120", "118", "10",
                                            "11",         "-5",    "1.25", "+"};
    QTest::newRow("every slice full")
        << QStringList{"2009.12.31", "23:59", "99",  "9999", "M",  "ABCD", "NS 160/110", "42.0",
                       "41.9",       "999",   "999", "99",   "99", "-15",  "12.5",       "3"};
    QTest::newRow("empty fields") << QStringList{"2009.01.01", "", "", "", "", "", "", "",
                                                 "",           "", "", "", "", "", "", ""};
}

void TestSimLogic::recordLineLayout() {
    QFETCH(QStringList, fields);
    FusionRecord r;
    for (int f = 0; f < kFieldCount; ++f) {
        r.fields[static_cast<std::size_t>(f)] = fields[f].toStdString();
    }
    const std::string line = RecordLine(r);
    QCOMPARE(line.size(), kRecordLineLength);
    QCOMPARE(line[0], '|');
    QCOMPARE(line[5], '.');
    QCOMPARE(line[8], '.');
    for (int f = 0; f < kFieldCount; ++f) {
        const auto [start, width] = kFieldSlices[static_cast<std::size_t>(f)];
        const std::string& value = r.fields[static_cast<std::size_t>(f)];
        const std::string expected =
            std::string(static_cast<std::size_t>(width) - value.size(), ' ') + value;
        QCOMPARE(line.substr(static_cast<std::size_t>(start), static_cast<std::size_t>(width)),
                 expected);
    }
    QCOMPARE(Recognise(line).kind, Kind::Record);
}

void TestSimLogic::linesOfEachLanguage_data() {
    QTest::addColumn<Language>("language");
    QTest::addColumn<int>("number");
    QTest::newRow("Polish") << Language::Polish << 0;
    QTest::newRow("English") << Language::English << 1;
    QTest::newRow("Czech") << Language::Czech << 2;
    QTest::newRow("Romanian") << Language::Romanian << 3;
}

// Each line the welder sends is recognised as its own kind (and no earlier
// one) by the program's character tests, in every language.
void TestSimLogic::linesOfEachLanguage() {
    QFETCH(Language, language);
    QFETCH(int, number);

    const auto type = Recognise(TypeLine(language));
    QCOMPARE(type.kind, Kind::Type);
    QCOMPARE(type.language, number);
    QVERIFY(ShortTypeLine(language).size() + 2 <= 32);

    const std::string date = "2009.03.15";
    QCOMPARE(Recognise(DownloadTimeLine(language, "2009.05.04 12:00")).kind, Kind::DownloadTime);
    QCOMPARE(Recognise(PeriodStartLine(language, date)).kind, Kind::PeriodStart);
    QCOMPARE(Recognise(PeriodEndLine(language, date)).kind, Kind::PeriodEnd);
    // Dates the frame did not carry as digits are written as received.
    QCOMPARE(Recognise(PeriodStartLine(language, "XXXXXXXX")).kind, Kind::PeriodStart);
    QCOMPARE(Recognise(PeriodEndLine(language, "XXXXXXXX")).kind, Kind::PeriodEnd);

    // The program keeps the first four bytes after ": " as the site ID,
    // including the longest IDs and Windows-1250 letters.
    for (const std::string& id : {std::string("1024"), tav::cp1250::FromUtf8("ŻNIN"),
                                  std::string("ABCDEFGH"), std::string("7")}) {
        const auto site = Recognise(SiteLine(language, id));
        QCOMPARE(site.kind, Kind::Site);
        QCOMPARE(site.siteId, id.substr(0, 4));
    }
    QCOMPARE(Recognise(EndOfDataLine(language)).kind, Kind::EndOfData);
    QCOMPARE(Recognise(NoDataLine(language, false)).kind, Kind::NoData);
    QCOMPARE(Recognise(NoDataLine(language, true)).kind, Kind::NoData);

    // A whole answer: every line is of a kind, none is left unrecognised.
    for (const std::string& line : TableAnswer(SmallStore(), language, "2009.05.04 12:00")) {
        QVERIFY2(Recognise(line).kind != Kind::Other, line.c_str());
    }
}

void TestSimLogic::tableAnswerOrder() {
    const std::vector<std::string> lines =
        TableAnswer(SmallStore(), Language::English, "2009.05.04 12:00");
    // Records of no site come before any site line; each later site opens
    // with its site line.
    const std::vector<Kind> expected = {Kind::Type,      Kind::DownloadTime, Kind::PeriodStart,
                                        Kind::PeriodEnd, Kind::Record,       Kind::Record,
                                        Kind::Site,      Kind::Record,       Kind::Record,
                                        Kind::Site,      Kind::Record,       Kind::EndOfData};
    QCOMPARE(Show(KindsOf(lines)), Show(expected));
    QCOMPARE(lines[1], std::string("DATE OF DOWNLOAD: 2009.05.04 12:00"));
    // The whole memory spans the first to the last record date.
    QCOMPARE(lines[2], std::string("Starting date: 2009.03.01"));
    QCOMPARE(lines[3], std::string("Ending date: 2009.04.01"));
    QCOMPARE(Recognise(lines[9]).siteId, tav::cp1250::FromUtf8("ŁASK"));

    // Empty memory: the header lines, then the no-data line.
    const std::vector<std::string> empty = TableAnswer({}, Language::English, "2009.05.04 12:00");
    QCOMPARE(Show(KindsOf(empty)), Show({Kind::Type, Kind::DownloadTime, Kind::PeriodStart,
                                         Kind::PeriodEnd, Kind::NoData}));
    QCOMPARE(empty.back(), std::string("      No welds in memory"));
}

void TestSimLogic::periodFilter_data() {
    QTest::addColumn<QString>("frame");
    QTest::addColumn<QString>("numbers");  // fusion numbers sent, in order
    QTest::newRow("both ends included") << "TZD02032009-31032009XXXX"
                                        << "2,3,4";
    QTest::newRow("one day") << "TZD15032009-15032009XXXX"
                             << "3";
    QTest::newRow("everything") << "TZD01011990-31122099XXXX"
                                << "1,2,3,4,5";
    QTest::newRow("nothing in it") << "TZD16032009-30032009XXXX"
                                   << "";
    QTest::newRow("from after to") << "TZD31032009-01032009XXXX"
                                   << "";
    QTest::newRow("no dates") << "TZDXXXXXXXX-XXXXXXXXXXXX"
                              << "";
}

void TestSimLogic::periodFilter() {
    QFETCH(QString, frame);
    QFETCH(QString, numbers);
    Welder welder(SmallStore(), Language::Polish);
    welder.SetDownloadTime("2009.05.04 12:00");
    const Reply reply = welder.Answer(Frame(frame.toStdString()), Faults{});
    QVERIFY(reply.bulk);

    std::vector<std::string> lines;
    for (const std::string& piece : reply.pieces) {
        QVERIFY(piece.ends_with("\r\n"));
        lines.push_back(piece.substr(0, piece.size() - 2));
    }
    QStringList sent;
    for (const std::string& line : lines) {
        if (Recognise(line).kind == Kind::Record) {
            sent << QString::fromStdString(line.substr(21, 4)).trimmed();
        }
    }
    QCOMPARE(sent.join(','), numbers);
    // The period lines carry the dates asked for.
    const std::string f = frame.toStdString();
    if (f[3] != 'X') {
        QCOMPARE(lines[2],
                 "Wydruk od: " + f.substr(7, 4) + "." + f.substr(5, 2) + "." + f.substr(3, 2));
        QCOMPARE(lines[3],
                 "Wydruk do: " + f.substr(16, 4) + "." + f.substr(14, 2) + "." + f.substr(12, 2));
    }
    QCOMPARE(Recognise(lines.back()).kind, numbers.isEmpty() ? Kind::NoData : Kind::EndOfData);
    if (numbers.isEmpty()) {
        QCOMPARE(lines.size(), std::size_t{5});
        QCOMPARE(lines.back(), tav::cp1250::FromUtf8("        Brak zgrzewów w podanym okresie"));
    }
}

void TestSimLogic::frameAnswers() {
    Welder welder(SmallStore(), Language::Czech);
    welder.SetDownloadTime("2009.05.04 12:00");
    const Faults none;
    QCOMPARE(Joined(welder.Answer(Frame("TZAXXXXXXXXXXXXXXXXXXXXX"), none)),
             std::string("ZGRZ\r\n"));
    QCOMPARE(Joined(welder.Answer(Frame("TZBXXXXXXXXXXXXXXXXXXXXX"), none)),
             ShortTypeLine(Language::Czech) + "\r\n");
    QCOMPARE(Joined(welder.Answer(Frame("TZFXXXXXXXXXXXXXXXXXXXXX"), none)),
             std::string("0005\r\n"));

    // The memory dump: the dump lines, then the byte 26 on its own.
    const Reply dump = welder.Answer(Frame("TZKXXXXXXXX-XXXXXXXXXXXX"), none);
    QVERIFY(dump.bulk);
    QCOMPARE(dump.pieces.back(), std::string(1, '\x1A'));
    QCOMPARE(dump.pieces.size(), std::size_t{2 + 5 + 1 + 1});
    QVERIFY(dump.pieces[dump.pieces.size() - 2].ends_with("\r\n"));

    // "TZC" as text: the same lines as the table answer, each with CR LF.
    std::string table;
    for (const std::string& l : TableAnswer(SmallStore(), Language::Czech, "2009.05.04 12:00")) {
        table += l + "\r\n";
    }
    QCOMPARE(Joined(welder.Answer(Frame("TZCXXXXXXXX-XXXXXXXXXXXX"), none)), table);

    // Unknown frames get nothing.
    QVERIFY(welder.Answer(Frame("TZQXXXXXXXXXXXXXXXXXXXXX"), none).pieces.empty());
    QVERIFY(welder.Answer(Frame("HELLOXXXXXXXXXXXXXXXXXXX"), none).pieces.empty());

    // Erase: acknowledged, and the memory is empty afterwards.
    QCOMPARE(Joined(welder.Answer(Frame("TZERASEXXXX-XXXXXXXXXXXX"), none)), std::string("OK\r\n"));
    QVERIFY(welder.Records().empty());
    QCOMPARE(Joined(welder.Answer(Frame("TZFXXXXXXXXXXXXXXXXXXXXX"), none)),
             std::string("0000\r\n"));
    QCOMPARE(Recognise(TableAnswer(welder.Records(), Language::Czech, "x").back()).kind,
             Kind::NoData);
}

void TestSimLogic::contentFaults_data() {
    QTest::addColumn<Faults>("faults");
    QTest::addColumn<QString>("frame");
    QTest::addColumn<QByteArray>("reply");
    QTest::addColumn<bool>("erased");  // memory empty afterwards

    Faults f;
    f.silent = true;
    QTest::newRow("silent identify") << f << "TZAXXXXXXXXXXXXXXXXXXXXX" << QByteArray() << false;
    QTest::newRow("silent erase does nothing")
        << f << "TZERASEXXXX-XXXXXXXXXXXX" << QByteArray() << false;
    f = {};
    f.noTypeLine = true;
    QTest::newRow("no type line: identifies")
        << f << "TZAXXXXXXXXXXXXXXXXXXXXX" << QByteArray("ZGRZ\r\n") << false;
    QTest::newRow("no type line") << f << "TZBXXXXXXXXXXXXXXXXXXXXX" << QByteArray() << false;
    f = {};
    f.countDelta = 37;
    QTest::newRow("count too high")
        << f << "TZFXXXXXXXXXXXXXXXXXXXXX" << QByteArray("0042\r\n") << false;
    f.countDelta = -9;
    QTest::newRow("count kept at 0")
        << f << "TZFXXXXXXXXXXXXXXXXXXXXX" << QByteArray("0000\r\n") << false;
    f = {};
    f.rawReply["TZF"] = "12A4\r\n";
    QTest::newRow("raw count 12A4")
        << f << "TZFXXXXXXXXXXXXXXXXXXXXX" << QByteArray("12A4\r\n") << false;
    f.rawReply["TZF"] = "0042\n\r";
    QTest::newRow("raw count LF CR")
        << f << "TZFXXXXXXXXXXXXXXXXXXXXX" << QByteArray("0042\n\r") << false;
    f.rawReply["TZF"] = "0042\r";
    QTest::newRow("raw count 5 bytes")
        << f << "TZFXXXXXXXXXXXXXXXXXXXXX" << QByteArray("0042\r") << false;
    f = {};
    f.rawReply["TZERASE"] = "OK\n\r";
    QTest::newRow("raw erase LF CR still erases")
        << f << "TZERASEXXXX-XXXXXXXXXXXX" << QByteArray("OK\n\r") << true;
    f = {};
    f.lowerCaseErase = true;
    QTest::newRow("lower-case erase")
        << f << "TZERASEXXXX-XXXXXXXXXXXX" << QByteArray("ok\r\n") << true;
    f = {};
    f.answerAs["TZF"] = "TZA";
    QTest::newRow("count answered as identify")
        << f << "TZFXXXXXXXXXXXXXXXXXXXXX" << QByteArray("ZGRZ\r\n") << false;
    f = {};
    f.answerAs["TZA"] = "TZERASE";
    QTest::newRow("identify answered by erasing")
        << f << "TZAXXXXXXXXXXXXXXXXXXXXX" << QByteArray("OK\r\n") << true;
}

void TestSimLogic::contentFaults() {
    QFETCH(Faults, faults);
    QFETCH(QString, frame);
    QFETCH(QByteArray, reply);
    QFETCH(bool, erased);
    Welder welder(SmallStore());
    QCOMPARE(QByteArray::fromStdString(Joined(welder.Answer(Frame(frame.toStdString()), faults))),
             reply);
    QCOMPARE(welder.Records().empty(), erased);
}

void TestSimLogic::frameAssembler_data() {
    QTest::addColumn<QByteArrayList>("chunks");
    QTest::addColumn<QStringList>("frames");
    const QByteArray a = "TZAXXXXXXXXXXXXXXXXXXXXX\r\n";
    const QByteArray f = "TZFXXXXXXXXXXXXXXXXXXXXX\r\n";
    QTest::newRow("two frames") << QByteArrayList{a + f} << QStringList{a, f};
    QTest::newRow("byte by byte") << [&] {
        QByteArrayList bytes;
        for (const char c : a) {
            bytes << QByteArray(1, c);
        }
        return bytes;
    }() << QStringList{a};
    QTest::newRow("garbage line first") << QByteArrayList{"\x01zz\x7f\r\n", f} << QStringList{f};
    QTest::newRow("garbage glued in front") << QByteArrayList{"\x13\x11" "abc" + a}
                                            << QStringList{a};
    QTest::newRow("broken frame, then a whole one")
        << QByteArrayList{"TZAXXXX", f} << QStringList{f};
    QTest::newRow("LF without CR")
        << QByteArrayList{"TZAXXXXXXXXXXXXXXXXXXXXX\n", f} << QStringList{f};
    QTest::newRow("short line") << QByteArrayList{"TZA\r\n"} << QStringList{};
    QTest::newRow("long garbage without line end")
        << QByteArrayList{QByteArray(9000, 'q'), a} << QStringList{a};
}

void TestSimLogic::frameAssembler() {
    QFETCH(QByteArrayList, chunks);
    QFETCH(QStringList, frames);
    FrameAssembler assembler;
    QStringList got;
    for (const QByteArray& chunk : chunks) {
        for (const std::string& frame : assembler.Feed(chunk.toStdString())) {
            got << QString::fromLatin1(frame);
        }
    }
    QCOMPARE(got, frames);
}

void TestSimLogic::deliveryPlan() {
    using K = DeliveryStep::Kind;
    Reply bulk;
    bulk.bulk = true;
    bulk.pieces = {"L1\r\n", "L2\r\n", "L3\r\n", "L4\r\n"};
    Reply shortReply;
    shortReply.pieces = {"ZGRZ\r\n"};
    std::mt19937 rng(7);
    auto describe = [](const std::vector<DeliveryStep>& steps) {
        QStringList out;
        for (const DeliveryStep& s : steps) {
            out << (s.kind == K::Write   ? QString::fromStdString(s.bytes).trimmed()
                    : s.kind == K::Pause ? QString("pause %1").arg(s.ms)
                                         : QString("hang-up"));
        }
        return out.join(' ');
    };

    QCOMPARE(describe(PlanDelivery(bulk, Faults{}, rng)), QString("L1 L2 L3 L4"));
    Faults f;
    f.stallAfterLine = 2;
    f.stallMs = 1500;
    QCOMPARE(describe(PlanDelivery(bulk, f, rng)), QString("L1 L2 pause 1500 L3 L4"));
    f.stallAfterLine = 4;  // after the last line: nothing follows, no pause
    QCOMPARE(describe(PlanDelivery(bulk, f, rng)), QString("L1 L2 L3 L4"));
    f = {};
    f.hangUpAfterLine = 3;
    QCOMPARE(describe(PlanDelivery(bulk, f, rng)), QString("L1 L2 L3 hang-up"));
    f.hangUpAfterLine = 0;
    QCOMPARE(describe(PlanDelivery(bulk, f, rng)), QString("hang-up"));
    // Delivery faults leave the short answers alone.
    f.stallAfterLine = 0;
    f.stallMs = 900;
    f.overlongAfterLine = 0;
    QCOMPARE(describe(PlanDelivery(shortReply, f, rng)), QString("ZGRZ"));

    f = {};
    f.overlongAfterLine = 1;
    f.overlongLength = 10001;
    const auto overlong = PlanDelivery(bulk, f, rng);
    QCOMPARE(overlong.size(), std::size_t{5});
    QCOMPARE(overlong[1].bytes, std::string(10001, '#') + "\r\n");

    // Garbage lines between the lines; never a line end or byte 26 inside.
    f = {};
    f.garbageLineLength = 40;
    const auto garbage = PlanDelivery(bulk, f, rng);
    QCOMPARE(garbage.size(), std::size_t{7});
    for (const std::size_t i : {1, 3, 5}) {
        const std::string& g = garbage[i].bytes;
        QCOMPARE(g.size(), std::size_t{42});
        QVERIFY(g.ends_with("\r\n"));
        const std::string body = g.substr(0, 40);
        QVERIFY(body.find_first_of(std::string("\r\n\x1A", 3)) == std::string::npos);
        QCOMPARE(Recognise(body).kind, Kind::Other);
    }
    // Garbage in front: short answers too, glued to the first line.
    f = {};
    f.garbagePrefix = 3;
    const auto prefixed = PlanDelivery(shortReply, f, rng);
    QCOMPARE(prefixed.size(), std::size_t{1});
    QCOMPARE(prefixed[0].bytes.size(), std::size_t{9});
    QVERIFY(prefixed[0].bytes.ends_with("ZGRZ\r\n"));
}

void TestSimLogic::generatedRecords() {
    GeneratorOptions options;
    options.count = 600;
    options.sites = 11;
    options.seed = 5;
    const RecordStore store = GenerateRecords(options);
    QCOMPARE(store.size(), std::size_t{600});
    QCOMPARE(GenerateRecords(options), store);
    options.seed = 6;
    QVERIFY(GenerateRecords(options) != store);

    std::set<std::string> sites;
    DateKey last = 0;
    const DateKey lastDay = 20090430;  // 60 days from 2009-03-02
    for (const FusionRecord& r : store) {
        sites.insert(r.siteId);
        QVERIFY(!r.siteId.empty() && r.siteId.size() <= 4);
        // Ascending dates within the range.
        const auto key = ParseDotDate(r.fields[kDate]);
        QVERIFY(key && *key >= last && *key >= 20090302 && *key <= lastDay);
        last = *key;
        // Fields are plain ASCII that fits its slice.
        for (std::size_t f = 0; f < kFieldCount; ++f) {
            QVERIFY(r.fields[f].size() <= static_cast<std::size_t>(kFieldSlices[f].width));
            for (const char c : r.fields[f]) {
                QVERIFY(static_cast<unsigned char>(c) >= 0x20 &&
                        static_cast<unsigned char>(c) < 0x80);
            }
        }
        QVERIFY(std::string("+-123").find(r.fields[kEvaluation]) != std::string::npos);
        // Never mistaken for a type line.
        QCOMPARE(Recognise(RecordLine(r)).kind, Kind::Record);
    }
    QCOMPARE(sites.size(), std::size_t{11});
    // Polish letters occur in the site IDs only.
    QVERIFY(sites.count(tav::cp1250::FromUtf8("ŁASK")) == 1);
}

void TestSimLogic::recordFileRoundTrip() {
    const std::string text = FormatRecordText(SmallStore());
    const std::string path =
        (std::filesystem::temp_directory_path() / ("tavelin-records-" + std::to_string(getpid())))
            .string();
    std::string crlf;  // the same file with CR LF line ends and a comment
    crlf = "# written on a Windows machine\r\n\r\n";
    for (const char c : text) {
        crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
    }
    std::FILE* file = std::fopen(path.c_str(), "wb");
    QVERIFY(file != nullptr);
    QCOMPARE(std::fwrite(crlf.data(), 1, crlf.size(), file), crlf.size());
    std::fclose(file);
    const RecordStore loaded = LoadRecordFile(path);
    std::filesystem::remove(path);
    QCOMPARE(loaded, SmallStore());
    QCOMPARE(ParseRecordText(text), SmallStore());
    QVERIFY_THROWS_EXCEPTION(RecordFileError, LoadRecordFile(path));  // gone now

    // Blanks around fields are dropped; a bare "site" ends the site.
    const RecordStore spaced = ParseRecordText(
        "site  B-12 \n 2009.03.15 ; 07:42;1;12;A;ZKP;M 110;39.5;39.4;120;120;10;10;21;1.25;+\n"
        "site\n2009.03.16;07:42;1;13;A;ZKP;M 110;39.5;39.4;120;120;10;10;21;1.25;-\n");
    QCOMPARE(spaced.size(), std::size_t{2});
    QCOMPARE(spaced[0].siteId, std::string("B-12"));
    QCOMPARE(spaced[0].fields[kDate], std::string("2009.03.15"));
    QCOMPARE(spaced[0].fields[kTime], std::string("07:42"));
    QCOMPARE(spaced[1].siteId, std::string());
}

void TestSimLogic::recordFileErrors_data() {
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QString>("message");
    const QByteArray good = "2009.03.15;07:42;1;12;A;ZKP;M 110;39.5;39.4;120;120;10;10;21;1.25;+\n";
    QTest::newRow("15 fields") << QByteArray(
                                      "# c\n2009.03.15;07:42;1;12;A;ZKP;M 110;39.5;39.4;"
                                      "120;120;10;10;21;1.25\n")
                               << "f:2: a record needs 16 fields separated by ';', found 15";
    QTest::newRow("17 fields") << QByteArray(good).replace("+\n", "+;x\n")
                               << "f:1: more than 16 fields";
    QTest::newRow("too wide") << good + QByteArray(good).replace("39.5", "139.5")
                              << "f:2: field 8 (voltage set) is wider than 4 characters";
    QTest::newRow("date order") << QByteArray(good).replace("2009.03.15", "15.03.2009")
                                << "f:1: the date is not YYYY.MM.DD";
    QTest::newRow("month 13") << QByteArray(good).replace("2009.03.15", "2009.13.15")
                              << "f:1: the date is not YYYY.MM.DD";
    QTest::newRow("long site ID") << "site ABCDEFGHI\n" + good
                                  << "f:1: site ID is longer than 8 bytes";
    QTest::newRow("control byte") << QByteArray(good).replace("ZKP", "Z\x1AP")
                                  << "f:1: field 6 (manufacturer) holds a control byte";
}

void TestSimLogic::recordFileErrors() {
    QFETCH(QByteArray, text);
    QFETCH(QString, message);
    try {
        ParseRecordText(text.toStdString(), "f");
        QFAIL("no error");
    } catch (const RecordFileError& e) {
        QCOMPARE(QString::fromStdString(e.what()), message);
    }
}

QTEST_APPLESS_MAIN(TestSimLogic)
#include "test_sim_logic.moc"
