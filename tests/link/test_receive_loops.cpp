// The two receive loops over a pseudo-terminal: the text downloads (lines at
// CR or LF, the all-fusions filter, the byte 26 of the memory dump, the two
// silence rules) and the table downloads (lines at LF, the wrapping line
// buffer, the end and no-data lines, silence counted from the last
// recognised line).
#include <QtTest>

#include <atomic>
#include <functional>
#include <thread>

#include "PtyLine.h"
#include "core/TestClock.h"
#include "link/CommPort.h"
#include "link/TextReception.h"
#include "records/RecordTable.h"
#include "records/TableReception.h"

using tav::link::TextDownloadKind;
using tav::records::ReceptionEnd;
using tav::test::OpenCom3;
using tav::test::PtyLine;
using tav::test::WaitQueued;

Q_DECLARE_METATYPE(TextDownloadKind)
Q_DECLARE_METATYPE(ReceptionEnd)

namespace {

using Lines = QList<QByteArray>;

QByteArray Bytes(std::string_view s) { return QByteArray(s.data(), qsizetype(s.size())); }
std::string Str(const QByteArray& b) { return std::string(b.constData(), std::size_t(b.size())); }

class TextSink final : public tav::link::TextLineSink {
public:
    void AddLine(std::string_view line) override {
        lines.append(Bytes(line));
        if (onLine) {
            onLine(lines.back());
        }
    }
    void Waiting(std::uint32_t silentMs, std::uint32_t limitMs) override {
        ++waits;
        limit = limitMs;
        longestSilence = std::max(longestSilence, silentMs);
    }
    Lines lines;
    std::function<void(const QByteArray&)> onLine;
    int waits = 0;
    std::uint32_t limit = 0;
    std::uint32_t longestSilence = 0;
};

// Recognises "R..." lines (they restart the silence limit), "END" and
// "NONE"; everything else goes unrecognised.
class TableSink final : public tav::records::TableLineSink {
public:
    TableSink() : last(tav::GetTickCount()) {}
    std::uint8_t ParseRecordLine(std::string_view line) override {
        lines.append(Bytes(line));
        if (onLine) {
            onLine(lines.back());
        }
        if (line == "END") {
            return tav::records::kLineEndOfData;
        }
        if (line == "NONE") {
            return tav::records::kLineNoData;
        }
        if (!line.empty() && line.front() == 'R') {
            last = tav::GetTickCount();
        }
        return tav::records::kLineGoOn;
    }
    std::uint32_t LastLineTick() const override { return last; }
    void Pump() override { ++pumps; }

    Lines lines;
    std::function<void(const QByteArray&)> onLine;
    std::uint32_t last;
    int pumps = 0;
};

// Sends `bytes` from another thread, so more can be sent than the line's
// queue holds while the loop reads.
class Sender {
public:
    Sender(PtyLine& line, std::string bytes)
        : thread_([&line, b = std::move(bytes)] { line.Send(b); }) {}
    ~Sender() { thread_.join(); }
    Sender(const Sender&) = delete;
    Sender& operator=(const Sender&) = delete;

private:
    std::thread thread_;
};

}  // namespace

class TestReceiveLoops : public QObject {
    Q_OBJECT

private slots:
    void textLines_data() {
        QTest::addColumn<TextDownloadKind>("kind");
        QTest::addColumn<QByteArray>("input");
        QTest::addColumn<Lines>("expected");
        QTest::addColumn<QByteArray>("leftOver");
        const auto all = TextDownloadKind::AllFusions;
        const auto memory = TextDownloadKind::WholeMemory;

        QTest::newRow("each line end ends one line")
            << all << QByteArray("A\r\nB\n\rC\rD\nE\r\n") << Lines{"A", "B", "C", "D", "E"}
            << QByteArray();
        QTest::newRow("blank lines vanish") << all << QByteArray("\r\n\r\nX\r\n\n\n\r\rY\r\n")
                                            << Lines{"X", "Y"} << QByteArray();
        QTest::newRow("unfinished last line is held back")
            << all << QByteArray("A\r\nhalf") << Lines{"A"} << QByteArray("half");
        QTest::newRow("no answer") << all << QByteArray() << Lines{} << QByteArray();
        QTest::newRow("all fusions: 32 to 124 as they are")
            << all << QByteArray(" !09:AZaz{|\r\n") << Lines{" !09:AZaz{|"} << QByteArray();
        // } ~ DEL NUL 0x1F 0x1A 0x80 0xFF and the Polish a-ogonek 0xB9.
        QTest::newRow("all fusions: everything else blank")
            << all << QByteArray("|}~\x7F\x00\x1F\x1A\x80\xFF\xB9|\r\n", 13)
            << Lines{"|" + QByteArray(9, ' ') + "|"} << QByteArray();
        QTest::newRow("whole memory: bytes unchanged")
            << memory << QByteArray("}~\x7F\x00\x1F\x80\xFF\xB9\r\n", 10)
            << Lines{QByteArray("}~\x7F\x00\x1F\x80\xFF\xB9", 8)} << QByteArray();
        QTest::newRow("whole memory: 26 after a line end adds an empty line")
            << memory << QByteArray("L1\r\n\x1A") << Lines{"L1", ""} << QByteArray();
        QTest::newRow("whole memory: 26 mid-line drops the rest of the read")
            << memory << QByteArray("AB\x1A" "CD\r\nEF\r\n") << Lines{"AB"} << QByteArray();
        QTest::newRow("whole memory: line ends and blank lines as for all fusions")
            << memory << QByteArray("A\n\rB\r\r\nC") << Lines{"A", "B"} << QByteArray("C");
    }
    void textLines() {
        QFETCH(TextDownloadKind, kind);
        QFETCH(QByteArray, input);
        QFETCH(Lines, expected);
        QFETCH(QByteArray, leftOver);
        // Ends the loop's silences in a fraction of their real time.
        tav::test::ScaledClock clock(0xFFFFFF00u, 100);
        PtyLine line;
        TCommPort port;
        OpenCom3(port);
        QVERIFY(line.Send(Str(input)));
        QVERIFY(WaitQueued(port, unsigned(input.size())));

        tav::link::RxBuffer rx{};
        std::string accumulator = "from an earlier download";
        TextSink sink;
        tav::link::ReceiveTextLines(port, rx, kind, accumulator, sink);
        QCOMPARE(sink.lines, expected);
        QCOMPARE(Bytes(accumulator), leftOver);
    }

    // After a byte 26, what comes in a later read starts a line of its own.
    void bytesAfterTheEndOfAChunkStartANewLine() {
        tav::test::ScaledClock clock(1000, 100);
        PtyLine line;
        TCommPort port;
        OpenCom3(port);
        QVERIFY(line.Send("AB\x1A" "CD"));
        QVERIFY(WaitQueued(port, 5));
        TextSink sink;
        sink.onLine = [&line](const QByteArray& l) {
            if (l == "AB") {
                line.Send("XY\r\n");
            }
        };
        tav::link::RxBuffer rx{};
        std::string accumulator;
        tav::link::ReceiveTextLines(port, rx, TextDownloadKind::WholeMemory, accumulator, sink);
        QCOMPARE(sink.lines, (Lines{"AB", "XY"}));
    }

    // All fusions: a pause shorter than 600 ms does not end the download;
    // 600 ms without a byte does, and the caller sees the silence grow.
    void allFusionsEndsAfter600msOfSilence() {
        tav::test::ScaledClock clock(0xFFFFFF00u, 2);
        PtyLine line;
        TCommPort port;
        OpenCom3(port);
        QVERIFY(line.Send("A\r\n"));
        QVERIFY(WaitQueued(port, 3));
        std::uint32_t lastByte = 0;
        std::thread later([&line, &lastByte] {
            std::this_thread::sleep_for(std::chrono::milliseconds(200));  // 400 clock ms
            line.Send("B\r\n");
        });
        TextSink sink;
        sink.onLine = [&lastByte](const QByteArray&) { lastByte = tav::GetTickCount(); };
        tav::link::RxBuffer rx{};
        std::string accumulator;
        tav::link::ReceiveTextLines(port, rx, TextDownloadKind::AllFusions, accumulator, sink);
        const std::uint32_t silence = tav::TicksSince(lastByte);
        later.join();
        QCOMPARE(sink.lines, (Lines{"A", "B"}));
        QVERIFY2(silence >= 600 && silence < 10000, qPrintable(QString::number(silence)));
        QVERIFY(sink.waits > 0);
        QCOMPARE(sink.limit, 600u);
        QVERIFY(sink.longestSilence >= 300);
    }

    // Whole memory: a pause of 5 s is no end; more than 10 s is. The clock
    // runs 50 times faster than real time.
    void wholeMemoryEndsAfterMoreThan10sOfSilence() {
        tav::test::ScaledClock clock(0xFFFFFF00u, 50);
        PtyLine line;
        TCommPort port;
        OpenCom3(port);
        QVERIFY(line.Send("A\r\n"));
        QVERIFY(WaitQueued(port, 3));
        std::thread later([&line] {
            std::this_thread::sleep_for(std::chrono::milliseconds(100));  // 5000 clock ms
            line.Send("B\r\n");
        });
        std::uint32_t lastByte = 0;
        TextSink sink;
        sink.onLine = [&lastByte](const QByteArray&) { lastByte = tav::GetTickCount(); };
        tav::link::RxBuffer rx{};
        std::string accumulator;
        tav::link::ReceiveTextLines(port, rx, TextDownloadKind::WholeMemory, accumulator, sink);
        const std::uint32_t silence = tav::TicksSince(lastByte);
        later.join();
        QCOMPARE(sink.lines, (Lines{"A", "B"}));
        QVERIFY2(silence > 10000 && silence < 100000, qPrintable(QString::number(silence)));
        QCOMPARE(sink.limit, 10000u);
    }

    // An unplugged line during a text download ends it with a port error,
    // never with a loop that waits on a dead line.
    void hangUpDuringATextDownload() {
        tav::test::ScaledClock clock(1000, 100);
        PtyLine line;
        TCommPort port;
        OpenCom3(port);
        QVERIFY(line.Send("A\r\nB"));
        QVERIFY(WaitQueued(port, 4));
        TextSink sink;
        sink.onLine = [&line](const QByteArray&) { line.pty.HangUp(); };
        tav::link::RxBuffer rx{};
        std::string accumulator;
        ECommError error{};
        try {
            tav::link::ReceiveTextLines(port, rx, TextDownloadKind::WholeMemory, accumulator,
                                        sink);
        } catch (const ECommError& e) {
            error = e;
        }
        QVERIFY2(error.Code == 10 || error.Code == 18, qPrintable(QString::number(error.Code)));
        QCOMPARE(int(error.LastError), EIO);
        QCOMPARE(sink.lines, Lines{"A"});
    }

    void tableLines_data() {
        QTest::addColumn<QByteArray>("input");
        QTest::addColumn<Lines>("expected");
        QTest::addColumn<ReceptionEnd>("end");
        QTest::newRow("end of data")
            << QByteArray("R1\r\nR2\r\n\r\nEND\r\nR3\r\n") << Lines{"R1", "R2", "", "END"}
            << ReceptionEnd::EndOfData;
        QTest::newRow("no data") << QByteArray("TYPE\nNONE\r\nR1\r\n") << Lines{"TYPE", "NONE"}
                                 << ReceptionEnd::NoData;
        QTest::newRow("CR dropped anywhere")
            << QByteArray("\rR\r1\r\nEND\n") << Lines{"R1", "END"} << ReceptionEnd::EndOfData;
        QTest::newRow("line cut at a zero byte")
            << QByteArray("R1\0junk\r\nEND\n", 13) << Lines{"R1", "END"}
            << ReceptionEnd::EndOfData;
        QTest::newRow("silence after an unfinished line")
            << QByteArray("R1\r\nR2") << Lines{"R1"} << ReceptionEnd::Silence;
        QTest::newRow("silence with nothing at all")
            << QByteArray() << Lines{} << ReceptionEnd::Silence;
    }
    void tableLines() {
        QFETCH(QByteArray, input);
        QFETCH(Lines, expected);
        QFETCH(ReceptionEnd, end);
        tav::test::ScaledClock clock(0xFFFFFF00u, 4);
        PtyLine line;
        TCommPort port;
        OpenCom3(port);
        QVERIFY(line.Send(Str(input)));
        QVERIFY(WaitQueued(port, unsigned(input.size())));
        tav::link::RxBuffer rx{};
        TableSink sink;
        QCOMPARE(tav::records::ReceiveTableLines(port, rx, sink), end);
        QCOMPARE(sink.lines, expected);
        QVERIFY(sink.pumps > 0 || input.isEmpty());
        if (end == ReceptionEnd::Silence) {
            QVERIFY(tav::TicksSince(sink.LastLineTick()) > 1000);
        }
    }

    // The line buffer holds 10000 bytes and wraps: an overlong line reaches
    // the parser as the bytes received after the last wrap.
    void overlongLineWraps_data() {
        QTest::addColumn<int>("fill");
        QTest::addColumn<QByteArray>("tail");
        QTest::addColumn<QByteArray>("expected");
        QTest::newRow("9999 bytes fit")
            << 9995 << QByteArray("WXYZ") << QByteArray(9995, 'a') + "WXYZ";
        QTest::newRow("10000 bytes wrap to nothing") << 9996 << QByteArray("WXYZ") << QByteArray();
        QTest::newRow("10001 bytes keep the last") << 9997 << QByteArray("WXYZ") << QByteArray("Z");
        QTest::newRow("four over") << 10000 << QByteArray("WXYZ") << QByteArray("WXYZ");
        QTest::newRow("wrapped twice") << 20000 << QByteArray("WX") << QByteArray("WX");
    }
    void overlongLineWraps() {
        QFETCH(int, fill);
        QFETCH(QByteArray, tail);
        QFETCH(QByteArray, expected);
        PtyLine line;
        TCommPort port;
        OpenCom3(port);
        tav::link::RxBuffer rx{};
        TableSink sink;
        Sender sender(line, std::string(std::size_t(fill), 'a') + Str(tail) + "\r\nEND\r\n");
        QCOMPARE(tav::records::ReceiveTableLines(port, rx, sink), ReceptionEnd::EndOfData);
        QCOMPARE(sink.lines, (Lines{expected, "END"}));
    }

    // Lines keep coming but none is recognised: the silence limit runs from
    // the last recognised line, so the download still ends.
    void unrecognisedLinesDoNotHoldOffSilence() {
        tav::test::ScaledClock clock(0xFFFFFF00u, 5);
        PtyLine line;
        TCommPort port;
        OpenCom3(port);
        std::atomic<bool> stop = false;
        std::thread talker([&line, &stop] {
            while (!stop) {
                line.Send("X\r\n");
                std::this_thread::sleep_for(std::chrono::milliseconds(20));
            }
        });
        tav::link::RxBuffer rx{};
        TableSink sink;
        const std::uint32_t start = tav::GetTickCount();
        const ReceptionEnd end = tav::records::ReceiveTableLines(port, rx, sink);
        const std::uint32_t took = tav::TicksSince(start);
        stop = true;
        talker.join();
        QCOMPARE(end, ReceptionEnd::Silence);
        QVERIFY2(took > 1000 && took < 100000, qPrintable(QString::number(took)));
        QVERIFY(sink.lines.size() > 2);
    }

    void hangUpDuringATableDownload() {
        PtyLine line;
        TCommPort port;
        OpenCom3(port);
        QVERIFY(line.Send("R1\r\nR2"));
        QVERIFY(WaitQueued(port, 6));
        TableSink sink;
        sink.onLine = [&line](const QByteArray&) { line.pty.HangUp(); };
        tav::link::RxBuffer rx{};
        ECommError error{};
        try {
            tav::records::ReceiveTableLines(port, rx, sink);
        } catch (const ECommError& e) {
            error = e;
        }
        QCOMPARE(int(error.Code), 10);
        QCOMPARE(int(error.LastError), EIO);
        QCOMPARE(sink.lines, Lines{"R1"});
    }
};

QTEST_GUILESS_MAIN(TestReceiveLoops)
#include "test_receive_loops.moc"
