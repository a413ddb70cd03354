// TCommPort on real pseudo-terminals: transparent bytes, the open/closed
// states and their error codes, exclusive access, the read and write
// time-outs, and a far side that hangs up.
#include <QtTest>

#include <QDir>
#include <QElapsedTimer>
#include <QFile>

#include <fcntl.h>
#include <termios.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <functional>
#include <thread>

#include "PtyLine.h"
#include "link/CommPort.h"

using tav::test::OpenCom3;
using tav::test::PtyLine;
using tav::test::WaitQueued;

Q_DECLARE_METATYPE(std::function<void(TCommPort&)>)

namespace {

using PortOp = std::function<void(TCommPort&)>;

int OpenDescriptors() { return static_cast<int>(QDir("/proc/self/fd").entryList(QDir::NoDotAndDotDot | QDir::AllEntries | QDir::System).size()); }

// Runs `op` and returns the ECommError it threw; fails the test when it
// threw nothing.
ECommError ErrorOf(const PortOp& op, TCommPort& port) {
    try {
        op(port);
    } catch (const ECommError& e) {
        return e;
    }
    return ECommError{0, 0};
}

// Puts the slave side into the cooked state a fresh terminal starts in
// (echo, line editing, XON/XOFF, CR→LF, output processing), so the test
// sees whether Open really switches all of it off.
void MakeCooked(const std::string& slavePath) {
    const int fd = open(slavePath.c_str(), O_RDWR | O_NOCTTY);
    QVERIFY(fd >= 0);
    termios tio{};
    QVERIFY(tcgetattr(fd, &tio) == 0);
    tio.c_iflag |= ICRNL | IXON | IXOFF | ISTRIP;
    tio.c_oflag |= OPOST | ONLCR;
    tio.c_lflag |= ECHO | ICANON | ISIG | IEXTEN;
    QVERIFY(tcsetattr(fd, TCSANOW, &tio) == 0);
    close(fd);
}

const std::string kAwkward("\x00\x03\x0A\x0D\x11\x13\x7F\xFF", 8);

}  // namespace

class TestCommPort : public QObject {
    Q_OBJECT

private slots:
    void bytesPassUnchangedBothWays() {
        PtyLine line;
        QVERIFY(line.published);
        MakeCooked(line.pty.SlavePath());
        TCommPort port;
        OpenCom3(port);

        QVERIFY(line.Send(kAwkward));
        QVERIFY(WaitQueued(port, 8));
        std::array<std::uint8_t, 8> in{};
        QCOMPARE(port.ReadBuffer(in.data(), 8), 8u);
        QCOMPARE(std::string(in.begin(), in.end()), kAwkward);

        for (char c : kAwkward) {
            port.WriteByte(static_cast<std::uint8_t>(c));
        }
        const auto* data = reinterpret_cast<const std::uint8_t*>(kAwkward.data());
        port.WriteBuffer(data, 8);
        // Nothing echoed back, nothing added or translated.
        QCOMPARE(line.Receive(16), kAwkward + kAwkward);
        QCOMPARE(line.Receive(1, 50), std::string());
        QCOMPARE(port.BytesWaiting(), 0u);
    }

    void openCloseAndOpenAgain() {
        PtyLine line;
        TCommPort port;
        QCOMPARE(port.GetPortName(), std::string("COM5"));
        QVERIFY(!port.IsOpen());
        port.Close();  // closed: nothing happens
        OpenCom3(port);
        QVERIFY(port.IsOpen());
        const int descriptors = OpenDescriptors();
        port.Open();  // already open: no second descriptor
        QCOMPARE(OpenDescriptors(), descriptors);
        QVERIFY(port.IsOpen());
        port.Close();
        QVERIFY(!port.IsOpen());
        QCOMPARE(OpenDescriptors(), descriptors - 1);
        port.Close();
        port.Open();
        QVERIFY(port.IsOpen());
    }

    void closedPortRefusesTransfers_data() {
        QTest::addColumn<PortOp>("op");
        QTest::newRow("WriteByte") << PortOp([](TCommPort& p) { p.WriteByte(0x41); });
        QTest::newRow("WriteBuffer of nothing")
            << PortOp([](TCommPort& p) { p.WriteBuffer(nullptr, 0); });
        QTest::newRow("ReadBuffer") << PortOp([](TCommPort& p) {
            std::uint8_t b[4];
            p.ReadBuffer(b, 4);
        });
        QTest::newRow("ReadBuffer of nothing") << PortOp([](TCommPort& p) {
            std::uint8_t b[1];
            p.ReadBuffer(b, 0);
        });
        QTest::newRow("ReadByte") << PortOp([](TCommPort& p) {
            std::uint8_t b;
            p.ReadByte(b);
        });
        QTest::newRow("BytesWaiting") << PortOp([](TCommPort& p) { p.BytesWaiting(); });
        QTest::newRow("Flush") << PortOp([](TCommPort& p) { p.Flush(); });
    }
    void closedPortRefusesTransfers() {
        QFETCH(PortOp, op);
        PtyLine line;
        TCommPort neverOpened;
        QCOMPARE(ErrorOf(op, neverOpened).Code, std::uint8_t{7});
        TCommPort closedAgain;
        OpenCom3(closedAgain);
        closedAgain.Close();
        QCOMPARE(ErrorOf(op, closedAgain).Code, std::uint8_t{7});
    }

    void renameWhileOpenIsRefused() {
        PtyLine line;
        TCommPort port;
        OpenCom3(port);
        const ECommError e = ErrorOf([](TCommPort& p) { p.SetPortName("COM4"); }, port);
        QCOMPARE(e.Code, std::uint8_t{6});
        QCOMPARE(port.GetPortName(), std::string("COM3"));
        QVERIFY(port.IsOpen());
        port.Close();
        port.SetPortName("COM4");
        QCOMPARE(port.GetPortName(), std::string("COM4"));
    }

    // Every failed open leaves the port closed and no descriptor behind.
    void failedOpen_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("code");
        QTest::addColumn<int>("reason");
        QTest::newRow("no entry for the name") << "COM9" << 8 << ENOENT;
        QTest::newRow("missing device path") << "/nonexistent/ttyUSB0" << 8 << ENOENT;
        QTest::newRow("link to a device that is gone") << "COM4" << 8 << ENOENT;
        QTest::newRow("a file that is no terminal") << "FILE" << 14 << ENOTTY;
    }
    void failedOpen() {
        QFETCH(QString, name);
        QFETCH(int, code);
        QFETCH(int, reason);
        PtyLine line;
        QVERIFY(symlink("/nonexistent/ttyUSB7", line.dir.filePath("COM4").toLocal8Bit()) == 0);
        QFile file(line.dir.filePath("plain.txt"));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.close();
        const std::string path = file.fileName().toStdString();

        TCommPort port;
        port.SetPortName(name == "FILE" ? path : name.toStdString());
        const int descriptors = OpenDescriptors();
        const ECommError e = ErrorOf([](TCommPort& p) { p.Open(); }, port);
        QCOMPARE(int(e.Code), code);
        QCOMPARE(int(e.LastError), reason);
        QVERIFY(!port.IsOpen());
        QCOMPARE(OpenDescriptors(), descriptors);
    }

    void deviceInUseIsRefused() {
        PtyLine line;
        TCommPort first;
        OpenCom3(first);
        TCommPort second;
        second.SetPortName(line.pty.SlavePath());  // the same device by its path
        const int descriptors = OpenDescriptors();
        const ECommError e = ErrorOf([](TCommPort& p) { p.Open(); }, second);
        QCOMPARE(int(e.Code), 8);
        QCOMPARE(int(e.LastError), EBUSY);
        QVERIFY(!second.IsOpen());
        QCOMPARE(OpenDescriptors(), descriptors);
        first.Close();
        second.Open();
        QVERIFY(second.IsOpen());
    }

    void destroyingTheOpenPortClosesIt() {
        PtyLine line;
        const int descriptors = OpenDescriptors();
        {
            TCommPort port;
            OpenCom3(port);
            QCOMPARE(OpenDescriptors(), descriptors + 1);
        }
        QCOMPARE(OpenDescriptors(), descriptors);
        TCommPort again;
        OpenCom3(again);
        QVERIFY(again.IsOpen());
    }

    void readByteTimesOutWithoutAByte() {
        PtyLine line;
        TCommPort port;
        OpenCom3(port);
        std::uint8_t byte = 0x55;
        QElapsedTimer timer;
        timer.start();
        QVERIFY(!port.ReadByte(byte));
        const qint64 ms = timer.elapsed();
        QVERIFY2(ms >= 200 && ms < 2000, qPrintable(QString::number(ms)));
        QCOMPARE(byte, std::uint8_t{0x55});

        QVERIFY(line.Send("Q"));
        QVERIFY(port.ReadByte(byte));
        QCOMPARE(byte, std::uint8_t{'Q'});
    }

    void readBufferMarksTheEndOfAShortRead() {
        PtyLine line;
        TCommPort port;
        OpenCom3(port);
        std::array<std::uint8_t, 8> buf;

        buf.fill(0xEE);
        QCOMPARE(port.ReadBuffer(buf.data(), 0), 0u);
        QCOMPARE(buf[0], std::uint8_t{0xEE});

        QVERIFY(line.Send("abc"));
        QVERIFY(WaitQueued(port, 3));
        QCOMPARE(port.ReadBuffer(buf.data(), 6), 3u);
        QCOMPARE(std::string(buf.begin(), buf.begin() + 5), std::string("abc\0\xEE", 5));

        buf.fill(0xEE);
        QVERIFY(line.Send("wxyz"));
        QVERIFY(WaitQueued(port, 4));
        QCOMPARE(port.ReadBuffer(buf.data(), 4), 4u);
        QCOMPARE(std::string(buf.begin(), buf.begin() + 5), std::string("wxyz\xEE"));

        // Nothing at all: a short read of 0 bytes, the zero at the start.
        buf.fill(0xEE);
        QCOMPARE(port.ReadBuffer(buf.data(), 4), 0u);
        QCOMPARE(buf[0], std::uint8_t{0});
        QCOMPARE(buf[1], std::uint8_t{0xEE});
    }

    // A read ends once the line has been quiet for more than 15 ms, without
    // waiting for the rest of its total time or for bytes that come later.
    void readBufferEndsWhenTheLinePauses() {
        PtyLine line;
        TCommPort port;
        OpenCom3(port);
        QVERIFY(line.Send("AB"));
        std::thread later([&line] {
            std::this_thread::sleep_for(std::chrono::milliseconds(300));
            line.Send("CD");
        });
        std::array<std::uint8_t, 100> buf{};
        const unsigned got = port.ReadBuffer(buf.data(), 100);
        later.join();
        QCOMPARE(got, 2u);
        QCOMPARE(std::string(buf.begin(), buf.begin() + 2), std::string("AB"));
        QVERIFY(WaitQueued(port, 2));
        QCOMPARE(port.BytesWaiting(), 2u);
    }

    void bytesWaitingCountsTheQueue() {
        PtyLine line;
        TCommPort port;
        OpenCom3(port);
        QCOMPARE(port.BytesWaiting(), 0u);
        QVERIFY(line.Send("12345"));
        QVERIFY(WaitQueued(port, 5));
        QCOMPARE(port.BytesWaiting(), 5u);
        std::uint8_t byte = 0;
        QVERIFY(port.ReadByte(byte));
        QCOMPARE(port.BytesWaiting(), 4u);
    }

    // A line that takes nothing more (the welder's side reads nothing) makes
    // a write give up after about 251 ms without an error.
    void writeToAFullLineGivesUpQuietly() {
        PtyLine line;
        TCommPort port;
        OpenCom3(port);
        QElapsedTimer timer;
        qint64 slowest = 0;
        for (int i = 0; i < 1000000 && slowest < 200; ++i) {
            timer.start();
            port.WriteByte(0x42);
            slowest = std::max(slowest, timer.elapsed());
        }
        QVERIFY2(slowest >= 200 && slowest < 2000, qPrintable(QString::number(slowest)));
        QVERIFY(port.IsOpen());
    }

    // The far side disappears (an unplugged converter): every transfer
    // reports a failure at once instead of waiting or looping.
    void hungUpLineFails_data() {
        QTest::addColumn<PortOp>("op");
        QTest::addColumn<int>("code");
        QTest::newRow("ReadByte") << PortOp([](TCommPort& p) {
            std::uint8_t b;
            p.ReadByte(b);
        }) << 10;
        QTest::newRow("ReadBuffer") << PortOp([](TCommPort& p) {
            std::array<std::uint8_t, 10000> b;
            p.ReadBuffer(b.data(), 10000);
        }) << 10;
        QTest::newRow("BytesWaiting") << PortOp([](TCommPort& p) { p.BytesWaiting(); }) << 18;
        QTest::newRow("WriteByte") << PortOp([](TCommPort& p) { p.WriteByte(1); }) << 9;
    }
    void hungUpLineFails() {
        QFETCH(PortOp, op);
        QFETCH(int, code);
        PtyLine line;
        TCommPort port;
        OpenCom3(port);
        QVERIFY(line.Send("pending"));
        line.pty.HangUp();
        const ECommError e = ErrorOf(op, port);
        QCOMPARE(int(e.Code), code);
        QCOMPARE(int(e.LastError), EIO);
        QVERIFY(port.IsOpen());
        port.Close();
    }

    void hangUpDuringALongRead() {
        PtyLine line;
        TCommPort port;
        OpenCom3(port);
        std::thread unplug([&line] {
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
            line.pty.HangUp();
        });
        // With nothing arriving, a read of 10000 bytes would wait over 10 s
        // for its total time-out.
        std::array<std::uint8_t, 10000> buf{};
        QElapsedTimer timer;
        timer.start();
        const ECommError e = ErrorOf(
            [&buf](TCommPort& p) { p.ReadBuffer(buf.data(), static_cast<unsigned>(buf.size())); },
            port);
        const qint64 ms = timer.elapsed();
        unplug.join();
        QCOMPARE(int(e.Code), 10);
        QCOMPARE(int(e.LastError), EIO);
        QVERIFY2(ms < 5000, qPrintable(QString::number(ms)));
    }
};

QTEST_GUILESS_MAIN(TestCommPort)
#include "test_comm_port.moc"
