// The command exchange against a scripted welder on a pseudo-terminal: the
// frames on the wire, the identify, type-line, count and erase replies, and
// the drain before every command.
#include <QtTest>

#include <atomic>
#include <thread>

#include "PtyLine.h"
#include "ScriptedPeer.h"
#include "core/TestClock.h"
#include "link/CommPort.h"
#include "link/Exchange.h"

using tav::test::OpenCom3;
using tav::test::PtyLine;
using tav::test::ScriptedPeer;

namespace {

// Settle waits and the type-line limit run on the program clock; at twice
// real speed the 600 ms waits take 300 ms, still ample for the peer thread to
// answer on a busy machine.
constexpr std::uint32_t kFastClock = 2;

QByteArray Bytes(const std::string& s) { return QByteArray(s.data(), qsizetype(s.size())); }
std::string Str(const QByteArray& b) { return std::string(b.constData(), std::size_t(b.size())); }
std::string Str(const tav::link::Frame& f) { return std::string(f.begin(), f.end()); }

// The line, the open port and the peer of one exchange.
struct Welder {
    Welder() : peer(line.pty) { OpenCom3(port); }
    PtyLine line;
    TCommPort port;
    ScriptedPeer peer;
    tav::link::RxBuffer rx{};
};

}  // namespace

class TestExchange : public QObject {
    Q_OBJECT

private slots:
    void periodFrame_data() {
        QTest::addColumn<QString>("from");
        QTest::addColumn<QString>("to");
        QTest::addColumn<QByteArray>("expected");  // empty: no frame
        QTest::newRow("March to April 2009")
            << "2009-03-15" << "2009-04-01" << QByteArray("TZD15032009-01042009XXXX\r\n");
        QTest::newRow("March 2008") << "2008-03-01" << "2008-03-31"
                                    << QByteArray("TZD01032008-31032008XXXX\r\n");
        QTest::newRow("same day") << "2010-12-24" << "2010-12-24"
                                  << QByteArray("TZD24122010-24122010XXXX\r\n");
        QTest::newRow("short from date") << "209-03-15" << "2009-04-01" << QByteArray();
        QTest::newRow("short to date") << "2009-03-15" << "209-04-01" << QByteArray();
        QTest::newRow("long date") << "02009-03-15" << "2009-04-01" << QByteArray();
        QTest::newRow("empty dates") << "" << "" << QByteArray();
    }
    void periodFrame() {
        QFETCH(QString, from);
        QFETCH(QString, to);
        QFETCH(QByteArray, expected);
        const auto frame = tav::link::MakePeriodFrame(from.toStdString(), to.toStdString());
        QCOMPARE(frame.has_value(), !expected.isEmpty());
        if (frame) {
            QCOMPARE(Bytes(Str(*frame)), expected);
        }
    }

    void frameGoesOutWhole() {
        Welder w;
        w.peer.Start();
        const auto frame = tav::link::MakePeriodFrame("2009-03-15", "2009-04-01");
        QVERIFY(frame);
        tav::link::SendCommandFrame(w.port, w.rx, *frame);
        tav::link::SendCommandFrame(w.port, w.rx, tav::link::MakeFrame(tav::link::kEraseTemplate));
        QTRY_COMPARE(w.peer.Frames().size(), std::size_t{2});
        QCOMPARE(Bytes(w.peer.Frames()[0]), QByteArray("TZD15032009-01042009XXXX\r\n"));
        QCOMPARE(Bytes(w.peer.Frames()[1]), QByteArray("TZERASEXXXX-XXXXXXXXXXXX\r\n"));
    }

    void identify_data() {
        QTest::addColumn<QByteArray>("reply");
        QTest::addColumn<bool>("welder");
        QTest::addColumn<unsigned>("leftQueued");
        QTest::newRow("ZGRZ and two bytes") << QByteArray("ZGRZ\x01\xFF") << true << 0u;
        QTest::newRow("longer reply") << QByteArray("ZGRZ12xyz") << true << 3u;
        QTest::newRow("five bytes") << QByteArray("ZGRZ1") << false << 5u;
        QTest::newRow("fourth byte not Z") << QByteArray("ZGRA12") << false << 0u;
        QTest::newRow("lower case") << QByteArray("zgrz12") << false << 0u;
        QTest::newRow("silent") << QByteArray() << false << 0u;
    }
    void identify() {
        QFETCH(QByteArray, reply);
        QFETCH(bool, welder);
        QFETCH(unsigned, leftQueued);
        Welder w;
        w.peer.Answer("TZA", Str(reply));
        w.peer.Start();
        QCOMPARE(tav::link::Identify(w.port, w.rx), welder);
        // Whatever the identify did not read stays queued for the next drain.
        QTRY_COMPARE(w.port.BytesWaiting(), leftQueued);
        QCOMPARE(w.peer.Frames(), std::vector<std::string>{"TZAXXXXXXXXXXXXXXXXXXXXX\r\n"});
    }

    void typeLine_data() {
        QTest::addColumn<QByteArray>("reply");
        QTest::addColumn<int>("delayMs");  // real milliseconds
        QTest::addColumn<bool>("connects");
        QTest::addColumn<QByteArray>("kept");
        const QByteArray longLine = "ZGRZEWARKA TYPU 1234567890 ABCDEFGHIJ V3.2";  // 42 bytes
        QTest::newRow("type line") << QByteArray("WELDER 315\r\n") << 0 << true
                                   << QByteArray("WELDER 315\r\n");
        QTest::newRow("LF alone") << QByteArray("\n") << 0 << true << QByteArray("\n");
        QTest::newRow("longer than the buffer")
            << longLine + "\r\n" << 0 << true << longLine.left(32);
        QTest::newRow("no LF") << QByteArray("WELDER 315") << 0 << false
                               << QByteArray("WELDER 315");
        QTest::newRow("LF after the limit")
            << QByteArray("WELDER\n") << 700 << false << QByteArray();
        QTest::newRow("silent") << QByteArray() << 0 << false << QByteArray();
    }
    void typeLine() {
        QFETCH(QByteArray, reply);
        QFETCH(int, delayMs);
        QFETCH(bool, connects);
        QFETCH(QByteArray, kept);
        tav::test::ScaledClock clock(1000, kFastClock);
        Welder w;
        w.peer.Answer("TZB", Str(reply), delayMs);
        w.peer.Start();
        std::string line = "stale";
        QCOMPARE(tav::link::ReadTypeLine(w.port, w.rx, &line), connects);
        QCOMPARE(Bytes(line), kept);
        QCOMPARE(w.peer.Frames(), std::vector<std::string>{"TZBXXXXXXXXXXXXXXXXXXXXX\r\n"});
    }

    // A type line with no end that never stops coming cannot hold the
    // search past the limit.
    void typeLineWithoutEndFromANonStopTalker() {
        tav::test::ScaledClock clock(1000, kFastClock);
        Welder w;
        std::atomic<bool> stop = false;
        std::thread talker([&w, &stop] {
            const std::string chunk(64, 'A');
            while (!stop) {
                w.line.Send(chunk);
                std::this_thread::sleep_for(std::chrono::milliseconds(2));
            }
        });
        std::string line;
        const bool connects = tav::link::ReadTypeLine(w.port, w.rx, &line);
        stop = true;
        talker.join();
        QVERIFY(!connects);
        QCOMPARE(line, std::string(32, 'A'));
    }

    void recordCount_data() {
        QTest::addColumn<QByteArray>("reply");
        QTest::addColumn<int>("count");
        QTest::newRow("42") << QByteArray("0042\r\n") << 42;
        QTest::newRow("0") << QByteArray("0000\r\n") << 0;
        QTest::newRow("9999") << QByteArray("9999\r\n") << 9999;
        QTest::newRow("five bytes") << QByteArray("0042\r") << -1;
        QTest::newRow("LF CR") << QByteArray("0042\n\r") << -1;
        QTest::newRow("no digit test") << QByteArray("12A4\r\n") << 1374;
        // 0xC8 is -56 as a signed byte: (-56 - 48) * 1000.
        QTest::newRow("high byte is negative") << QByteArray("\xC8" "000\r\n") << -104000;
        QTest::newRow("longer reply") << QByteArray("0042\r\nxx") << 42;
        QTest::newRow("silent") << QByteArray() << -1;
    }
    void recordCount() {
        QFETCH(QByteArray, reply);
        QFETCH(int, count);
        tav::test::ScaledClock clock(1000, kFastClock);
        Welder w;
        w.peer.Answer("TZF", Str(reply));
        w.peer.Start();
        QCOMPARE(tav::link::QueryRecordCount(true, w.port, w.rx), count);
        QCOMPARE(w.peer.Frames(), std::vector<std::string>{"TZFXXXXXXXXXXXXXXXXXXXXX\r\n"});
    }

    void recordCountNeedsTheLink() {
        Welder w;
        w.peer.Answer("TZF", "0042\r\n");
        w.peer.Start();
        QCOMPARE(tav::link::QueryRecordCount(false, w.port, w.rx), -1);
        TCommPort closed;
        QCOMPARE(tav::link::QueryRecordCount(true, closed, w.rx), -1);
        QTest::qWait(50);
        QVERIFY(w.peer.Frames().empty());
    }

    // The rest of an earlier answer waiting in the queue is thrown away
    // before the command, so it cannot pass for the reply.
    void staleBytesAreDrained() {
        tav::test::ScaledClock clock(1000, kFastClock);
        Welder w;
        QVERIFY(w.line.Send("9999\r\nOK\r\nZGRZ"));
        QVERIFY(tav::test::WaitQueued(w.port, 14));
        w.peer.Answer("TZF", "0042\r\n");
        w.peer.Start();
        QCOMPARE(tav::link::QueryRecordCount(true, w.port, w.rx), 42);
        QCOMPARE(w.port.BytesWaiting(), 0u);
    }

    // A line that never goes quiet (8 bytes every millisecond, so one read
    // of 10000 bytes lasts over a second): the drain runs past its 600 ms
    // with the read in progress and stops after it, instead of reading on.
    // The program clock runs ten times faster, so the 600 ms are over long
    // before a busy machine could starve the talker into a pause.
    void drainEndsAgainstANonStopTalker() {
        tav::test::ScaledClock clock(0xFFFFFF00u, 10);
        Welder w;
        std::atomic<bool> stop = false;
        std::thread talker([&w, &stop] {
            const std::string chunk(8, 'x');
            while (!stop) {
                w.line.Send(chunk);
                std::this_thread::sleep_for(std::chrono::milliseconds(1));
            }
        });
        QVERIFY(tav::test::WaitQueued(w.port, 1));
        const std::uint32_t start = tav::GetTickCount();
        tav::link::DrainInput(w.port, w.rx);
        const std::uint32_t took = tav::TicksSince(start);
        stop = true;
        talker.join();
        QVERIFY2(took > 600 && took < 200000, qPrintable(QString::number(took)));
    }

    void erase_data() {
        QTest::addColumn<QByteArray>("reply");
        QTest::addColumn<int>("result");
        using tav::link::EraseReply;
        QTest::newRow("OK") << QByteArray("OK\r\n") << int(EraseReply::Erased);
        QTest::newRow("OK and more") << QByteArray("OK\r\nDONE") << int(EraseReply::Erased);
        QTest::newRow("lower case") << QByteArray("ok\r\n") << int(EraseReply::Refused);
        QTest::newRow("LF CR") << QByteArray("OK\n\r") << int(EraseReply::Refused);
        QTest::newRow("three bytes") << QByteArray("OK\r") << int(EraseReply::NoAnswer);
        QTest::newRow("silent") << QByteArray() << int(EraseReply::NoAnswer);
    }
    void erase() {
        QFETCH(QByteArray, reply);
        QFETCH(int, result);
        tav::test::ScaledClock clock(1000, kFastClock);
        Welder w;
        w.peer.Answer("TZE", Str(reply));
        w.peer.Start();
        QCOMPARE(int(tav::link::EraseMemory(w.port, w.rx)), result);
        QCOMPARE(w.peer.Frames(), std::vector<std::string>{"TZERASEXXXX-XXXXXXXXXXXX\r\n"});
    }
};

QTEST_GUILESS_MAIN(TestExchange)
#include "test_exchange.moc"
