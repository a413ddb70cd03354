// The simulated welder over a real pseudo-terminal, driven from the port side
// with plain reads and writes: the answers as bytes on the line, the faults
// as the program meets them, pacing, and the test harness itself.
#include <QTest>

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <filesystem>

#include "LineRules.h"
#include "RawLine.h"
#include "core/SimHarness.h"
#include "platform/Tick.h"
#include "sim/Lines.h"
#include "sim/Records.h"
#include "sim/Welder.h"

using namespace tav::sim;
using tav::simtest::Kind;
using tav::simtest::RawLine;
using tav::simtest::Recognise;
using tav::test::SimHarness;

Q_DECLARE_METATYPE(tav::sim::Faults)

namespace {

constexpr std::string_view kIdentify = "TZAXXXXXXXXXXXXXXXXXXXXX";
constexpr std::string_view kType = "TZBXXXXXXXXXXXXXXXXXXXXX";
constexpr std::string_view kCount = "TZFXXXXXXXXXXXXXXXXXXXXX";
constexpr std::string_view kAll = "TZCXXXXXXXX-XXXXXXXXXXXX";
constexpr std::string_view kMemory = "TZKXXXXXXXX-XXXXXXXXXXXX";
constexpr std::string_view kErase = "TZERASEXXXX-XXXXXXXXXXXX";

SimHarness::Options Small(bool pace = false) {
    SimHarness::Options o;
    GeneratorOptions g;
    g.count = 6;
    g.sites = 2;
    o.records = GenerateRecords(g);
    o.pace = pace;
    return o;
}

// The lines of `bytes`, which must all end in CR LF (no other CR or LF).
std::vector<std::string> CrLfLines(const std::string& bytes, bool* ok) {
    std::vector<std::string> lines;
    *ok = true;
    std::size_t start = 0;
    while (start < bytes.size()) {
        const std::size_t lf = bytes.find('\n', start);
        if (lf == std::string::npos || lf == start || bytes[lf - 1] != '\r') {
            *ok = false;
            return lines;
        }
        std::string line = bytes.substr(start, lf - 1 - start);
        if (line.find('\r') != std::string::npos) {
            *ok = false;
        }
        lines.push_back(std::move(line));
        start = lf + 1;
    }
    return lines;
}

// What the welder sends for `frame` without faults: the reference bytes.
std::string Expected(const SimHarness::Options& o, std::string_view frame) {
    Welder w(*o.records, o.language);
    w.SetDownloadTime(o.downloadTime);
    std::string all;
    for (const std::string& p : w.Answer(std::string(frame) + "\r\n", Faults{}).pieces) {
        all += p;
    }
    return all;
}

std::uint32_t Now() { return tav::SystemClock().Now(); }

}  // namespace

class TestSimPty : public QObject {
    Q_OBJECT

private slots:
    void harnessPorts();
    void shortAnswers();
    void tableAnswers();
    void memoryDump();
    void answerFaults_data();
    void answerFaults();
    void resynchronises();
    void stall();
    void hangUp_data();
    void hangUp();
    void overlongLine();
    void garbageLines();
    void pacing();
    void talker();
};

void TestSimPty::harnessPorts() {
    setenv("TAVELIN_PORTS", "/earlier/value", 1);
    std::string dir;
    {
        SimHarness sim;
        dir = sim.PortsDir();
        QCOMPARE(std::string(std::getenv("TAVELIN_PORTS")), dir);
        QCOMPARE(sim.PortName(), std::string("COM3"));
        QCOMPARE(std::filesystem::read_symlink(sim.LinkPath(3)).string(),
                 sim.Welder().SlavePath());

        // A silent device opens and takes frames, but answers nothing.
        sim.AddSilentDevice(5);
        RawLine silent(sim.LinkPath(5));
        QVERIFY(silent.IsOpen());
        QVERIFY(silent.Send(kIdentify));
        QCOMPARE(silent.ReadUntilQuiet(200), std::string());

        // A name nobody published is missing.
        QVERIFY(!RawLine(sim.LinkPath(4)).IsOpen());
        QCOMPARE(errno, ENOENT);
        sim.RemoveLink(3);
        QVERIFY(!RawLine(sim.LinkPath(3)).IsOpen());
        QCOMPARE(sim.PortName(), std::string());
    }
    QVERIFY(!std::filesystem::exists(dir));
    QCOMPARE(std::string(std::getenv("TAVELIN_PORTS")), std::string("/earlier/value"));

    unsetenv("TAVELIN_PORTS");
    { SimHarness sim; }
    QVERIFY(std::getenv("TAVELIN_PORTS") == nullptr);
}

void TestSimPty::shortAnswers() {
    SimHarness sim(Small());
    RawLine line(sim.LinkPath(3));
    QVERIFY(line.IsOpen());

    QVERIFY(line.Send(kIdentify));
    QCOMPARE(line.ReadUntil("\n"), std::string("ZGRZ\r\n"));
    QVERIFY(line.Send(kType));
    QCOMPARE(line.ReadUntil("\n"), ShortTypeLine(Language::Polish) + "\r\n");
    QVERIFY(line.Send(kCount));
    QCOMPARE(line.ReadUntil("\n"), std::string("0006\r\n"));

    QVERIFY(line.Send(kErase));
    QCOMPARE(line.ReadUntil("\n"), std::string("OK\r\n"));
    QVERIFY(sim.Welder().Records().empty());
    QVERIFY(line.Send(kCount));
    QCOMPARE(line.ReadUntil("\n"), std::string("0000\r\n"));

    // Every frame is on record, in order.
    const std::vector<std::string> frames = sim.Welder().Frames();
    QCOMPARE(frames.size(), std::size_t{5});
    QCOMPARE(frames[0], std::string(kIdentify) + "\r\n");
    QCOMPARE(frames[3], std::string(kErase) + "\r\n");
    QVERIFY(sim.Welder().Received("TZERASE"));
    QVERIFY(!sim.Welder().Received("TZK"));
    sim.Welder().ClearFrames();
    QVERIFY(!sim.Welder().Received("TZERASE"));
}

void TestSimPty::tableAnswers() {
    const SimHarness::Options options = Small();
    SimHarness sim(options);
    RawLine line(sim.LinkPath(3));
    const std::string end = EndOfDataLine(Language::Polish) + "\r\n";

    QVERIFY(line.Send(kAll));
    const std::string all = line.ReadUntil(end);
    QCOMPARE(all, Expected(options, kAll));
    bool ok = false;
    const std::vector<std::string> lines = CrLfLines(all, &ok);
    QVERIFY2(ok, "every line ends in CR LF");
    QCOMPARE(lines.size(), std::size_t{4 + 2 + 6 + 1});
    QCOMPARE(Recognise(lines[0]).kind, Kind::Type);
    QCOMPARE(Recognise(lines[1]).kind, Kind::DownloadTime);
    QCOMPARE(Recognise(lines[2]).kind, Kind::PeriodStart);
    QCOMPARE(Recognise(lines[3]).kind, Kind::PeriodEnd);
    QCOMPARE(Recognise(lines[4]).kind, Kind::Site);
    QCOMPARE(Recognise(lines.back()).kind, Kind::EndOfData);
    int records = 0;
    for (const std::string& l : lines) {
        if (Recognise(l).kind == Kind::Record) {
            QCOMPARE(l.size(), kRecordLineLength);
            ++records;
        }
    }
    QCOMPARE(records, 6);

    // A period: its records only; an empty period: the no-data line.
    const std::string firstDay = options.records->front().fields[kDate];
    const std::string ddmmyyyy = firstDay.substr(8, 2) + firstDay.substr(5, 2) + firstDay.substr(0, 4);
    const std::string period = "TZD" + ddmmyyyy + "-" + ddmmyyyy + "XXXX";
    QVERIFY(line.Send(period));
    const std::string one = line.ReadUntil(end);
    QCOMPARE(CrLfLines(one, &ok).size(), std::size_t{4 + 1 + 1 + 1});
    QVERIFY(line.Send("TZD01012001-31122001XXXX"));
    const std::string none = line.ReadUntil(NoDataLine(Language::Polish, true) + "\r\n");
    QCOMPARE(CrLfLines(none, &ok).size(), std::size_t{5});
}

void TestSimPty::memoryDump() {
    const SimHarness::Options options = Small();
    SimHarness sim(options);
    RawLine line(sim.LinkPath(3));
    QVERIFY(line.Send(kMemory));
    const std::string dump = line.ReadUntil(std::string(1, kEndOfDump));
    QCOMPARE(dump, Expected(options, kMemory));
    QVERIFY(dump.ends_with(std::string("\r\n\x1A")));
    QCOMPARE(std::count(dump.begin(), dump.end(), '\n'), 2 + 6 + 1);
}

void TestSimPty::answerFaults_data() {
    QTest::addColumn<Faults>("faults");
    QTest::addColumn<QString>("frame");
    QTest::addColumn<QByteArray>("reply");  // exact; empty: nothing at all

    Faults f;
    f.silent = true;
    QTest::newRow("silent") << f << QString::fromLatin1(kIdentify) << QByteArray();
    f = {};
    f.noTypeLine = true;
    QTest::newRow("no type line") << f << QString::fromLatin1(kType) << QByteArray();
    f = {};
    f.countDelta = 1;
    QTest::newRow("wrong count") << f << QString::fromLatin1(kCount) << QByteArray("0007\r\n");
    f = {};
    f.rawReply["TZF"] = "12A4\r\n";
    QTest::newRow("raw count") << f << QString::fromLatin1(kCount) << QByteArray("12A4\r\n");
    f = {};
    f.rawReply["TZERASE"] = "OK\n\r";
    QTest::newRow("raw erase") << f << QString::fromLatin1(kErase) << QByteArray("OK\n\r");
    f = {};
    f.lowerCaseErase = true;
    QTest::newRow("lower-case erase") << f << QString::fromLatin1(kErase) << QByteArray("ok\r\n");
    f = {};
    f.answerAs["TZA"] = "TZF";
    QTest::newRow("other command answered") << f << QString::fromLatin1(kIdentify)
                                            << QByteArray("0006\r\n");
}

void TestSimPty::answerFaults() {
    QFETCH(Faults, faults);
    QFETCH(QString, frame);
    QFETCH(QByteArray, reply);
    SimHarness sim(Small());
    sim.Welder().SetFaults(faults);
    RawLine line(sim.LinkPath(3));
    QVERIFY(line.Send(frame.toStdString()));
    QCOMPARE(QByteArray::fromStdString(line.ReadUntilQuiet(250)), reply);
    QCOMPARE(sim.Welder().Frames().size(), std::size_t{1});
}

// Garbage before a frame, on a line of its own or glued to it, costs only
// itself: the frames after it are answered.
void TestSimPty::resynchronises() {
    SimHarness sim(Small());
    RawLine line(sim.LinkPath(3));
    QVERIFY(line.SendBytes("\x01\x02noise\x13\r\n"));
    QVERIFY(line.Send(kIdentify));
    QCOMPARE(line.ReadUntil("\n"), std::string("ZGRZ\r\n"));
    QVERIFY(line.SendBytes("TZA\x7fzz"));
    QVERIFY(line.Send(kCount));
    QCOMPARE(line.ReadUntil("\n"), std::string("0006\r\n"));
    const std::vector<std::string> frames = sim.Welder().Frames();
    QCOMPARE(frames.size(), std::size_t{2});
    QCOMPARE(frames[1], std::string(kCount) + "\r\n");
}

void TestSimPty::stall() {
    const SimHarness::Options options = Small();
    SimHarness sim(options);
    sim.Welder().SetStall(2, 400);
    RawLine line(sim.LinkPath(3));
    bool ok = false;
    const std::vector<std::string> lines = CrLfLines(Expected(options, kAll), &ok);
    const std::string firstTwo = lines[0] + "\r\n" + lines[1] + "\r\n";

    QVERIFY(line.Send(kAll));
    QCOMPARE(line.ReadUntil(firstTwo), firstTwo);
    const std::uint32_t start = Now();
    std::string rest;
    QVERIFY(line.ReadSome(rest, 3000));
    const std::uint32_t gap = tav::TicksBetween(start, Now());
    QVERIFY2(gap >= 300 && gap < 3000, std::to_string(gap).c_str());
    rest += line.ReadUntil(EndOfDataLine(Language::Polish) + "\r\n");
    QCOMPARE(firstTwo + rest, Expected(options, kAll));
}

void TestSimPty::hangUp_data() {
    QTest::addColumn<int>("afterLine");  // -1: hung up from the test
    QTest::newRow("after line 3 of an answer") << 3;
    QTest::newRow("before the first line") << 0;
    QTest::newRow("unplugged while idle") << -1;
}

// The unplugged cable: the port side reads end-of-file.
void TestSimPty::hangUp() {
    QFETCH(int, afterLine);
    const SimHarness::Options options = Small();
    SimHarness sim(options);
    RawLine line(sim.LinkPath(3));
    std::string expected;
    if (afterLine >= 0) {
        sim.Welder().SetHangUpAfterLine(afterLine);
        QVERIFY(line.Send(kAll));
        bool ok = false;
        const std::vector<std::string> lines = CrLfLines(Expected(options, kAll), &ok);
        for (int i = 0; i < afterLine; ++i) {
            expected += lines[static_cast<std::size_t>(i)] + "\r\n";
        }
    } else {
        sim.Welder().HangUp();
    }
    QCOMPARE(line.ReadUntilQuiet(2000), expected);
    QVERIFY(line.SawEof());
    QCOMPARE(line.ReadErrno(), 0);
    QVERIFY(sim.Welder().HungUp());
}

void TestSimPty::overlongLine() {
    const SimHarness::Options options = Small();
    SimHarness sim(options);
    sim.Welder().SetOverlongLine(1, 10050);
    RawLine line(sim.LinkPath(3));
    QVERIFY(line.Send(kAll));
    bool ok = false;
    const std::vector<std::string> lines =
        CrLfLines(line.ReadUntil(EndOfDataLine(Language::Polish) + "\r\n"), &ok);
    QVERIFY(ok);
    std::vector<std::string> normal = CrLfLines(Expected(options, kAll), &ok);
    normal.insert(normal.begin() + 1, std::string(10050, '#'));
    QCOMPARE(lines, normal);
}

void TestSimPty::garbageLines() {
    const SimHarness::Options options = Small();
    SimHarness sim(options);
    sim.Welder().SetGarbage(0, 30);
    RawLine line(sim.LinkPath(3));
    QVERIFY(line.Send(kAll));
    bool ok = false;
    const std::vector<std::string> lines =
        CrLfLines(line.ReadUntil(EndOfDataLine(Language::Polish) + "\r\n"), &ok);
    QVERIFY(ok);
    const std::vector<std::string> normal = CrLfLines(Expected(options, kAll), &ok);
    QCOMPARE(lines.size(), 2 * normal.size() - 1);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (i % 2 == 0) {
            QCOMPARE(lines[i], normal[i / 2]);
        } else {
            QCOMPARE(lines[i].size(), std::size_t{30});
            QCOMPARE(Recognise(lines[i]).kind, Kind::Other);
        }
    }
}

// Paced at 960 bytes/s: an answer of n bytes takes about n/960 seconds.
void TestSimPty::pacing() {
    const SimHarness::Options options = Small(true);
    SimHarness sim(options);
    RawLine line(sim.LinkPath(3));
    const std::string expected = Expected(options, kMemory);
    const std::uint32_t start = Now();
    QVERIFY(line.Send(kMemory));
    QCOMPARE(line.ReadUntil(std::string(1, kEndOfDump), 10000), expected);
    const std::uint32_t took = tav::TicksBetween(start, Now());
    const std::uint32_t lineTime = static_cast<std::uint32_t>(expected.size() * 1000 / 960);
    QVERIFY2(took >= lineTime * 8 / 10 && took < lineTime * 5 + 2000,
             (std::to_string(took) + " ms for " + std::to_string(expected.size())).c_str());
}

// The talker sends all the time and answers nothing until switched off.
void TestSimPty::talker() {
    SimHarness sim(Small());
    RawLine line(sim.LinkPath(3));
    sim.Welder().SetTalker(true);
    QVERIFY(line.Send(kIdentify));
    const std::uint32_t start = Now();
    const std::string chatter = line.ReadUntilQuiet(150, 600);
    QVERIFY2(tav::TicksBetween(start, Now()) >= 550, "a pause in the talk");
    QVERIFY(chatter.size() > 200);
    QVERIFY(chatter.find("ZGRZ") == std::string::npos);
    QVERIFY(sim.Welder().Received("TZA"));

    sim.Welder().SetTalker(false);
    line.ReadUntilQuiet(150);
    QVERIFY(line.Send(kIdentify));
    QCOMPARE(line.ReadUntil("ZGRZ\r\n"), std::string("ZGRZ\r\n"));
}

QTEST_APPLESS_MAIN(TestSimPty)
#include "test_sim_pty.moc"
