// One search pass over the ports against the simulated welder on a
// pseudo-terminal, with missing ports and a silent device around it.
#include <QtTest>

#include <stdexcept>
#include <string>
#include <vector>

#include "core/SimHarness.h"
#include "core/TestClock.h"
#include "link/CommPort.h"
#include "link/WelderSearch.h"
#include "sim/Lines.h"

using tav::link::SearchCallbacks;
using tav::link::SearchResult;
using tav::test::SimHarness;

namespace {

// The settle waits and the type-line limit run at twice real speed: still
// ample for the welder thread to answer on a busy machine.
constexpr std::uint32_t kFastClock = 2;

// Everything the callbacks saw, in order: "try COM1", "open COM2", "none COM2".
struct Trace {
    std::vector<std::string> events;
    SearchCallbacks Callbacks() {
        SearchCallbacks cb;
        cb.tryingPort = [this](int n, const std::string& name) {
            events.push_back("try " + name);
            if (n != 0 && name != tav::link::SearchPortName(n)) {
                events.push_back("bad number");
            }
        };
        cb.portOpened = [this](const std::string& name) { events.push_back("open " + name); };
        cb.noWelder = [this](const std::string& name) { events.push_back("none " + name); };
        return cb;
    }
    int Count(const std::string& prefix) const {
        int n = 0;
        for (const auto& e : events) {
            n += e.rfind(prefix, 0) == 0 ? 1 : 0;
        }
        return n;
    }
};

SimHarness::Options WelderOn(int com) {
    SimHarness::Options o;
    o.comNumber = com;
    o.language = tav::sim::Language::English;
    return o;
}

}  // namespace

class TestWelderSearch : public QObject {
    Q_OBJECT

  private slots:
    void init() { clock_ = std::make_unique<tav::test::ScaledClock>(1000, kFastClock); }
    void cleanup() { clock_.reset(); }

    // COM1 missing, COM2 silent, the welder on COM3: the pass stops there,
    // the port stays open on it and COM4 is never tried.
    void findsWelderAmongMissingAndSilentPorts() {
        SimHarness sim(WelderOn(3));
        sim.AddSilentDevice(2);
        sim.AddSilentDevice(4);
        TCommPort port;
        tav::link::RxBuffer rx{};
        Trace trace;

        const SearchResult r = tav::link::SearchPass(port, rx, trace.Callbacks());

        QVERIFY(r.welder.has_value());
        QCOMPARE(r.welder->portName, std::string("COM3"));
        QCOMPARE(r.welder->typeLine, tav::sim::ShortTypeLine(tav::sim::Language::English));
        QVERIFY(!r.aborted);
        QCOMPARE(r.portsOpened, 2);
        QVERIFY(port.IsOpen());
        QCOMPARE(port.GetPortName(), std::string("COM3"));
        const std::vector<std::string> expected{"try COM1",  "try COM2", "open COM2",
                                                "none COM2", "try COM3", "open COM3"};
        QCOMPARE(trace.events, expected);
        // The link is usable afterwards.
        QCOMPARE(tav::link::QueryRecordCount(true, port, rx), 20);
    }

    // No welder anywhere: all twenty ports are tried, the silent ones are
    // opened and closed again, nothing stays open.
    void noWelderTriesEveryPort() {
        SimHarness sim(WelderOn(0));
        sim.AddSilentDevice(5);
        sim.AddSilentDevice(20);
        TCommPort port;
        tav::link::RxBuffer rx{};
        Trace trace;

        const SearchResult r = tav::link::SearchPass(port, rx, trace.Callbacks());

        QVERIFY(!r.welder.has_value());
        QVERIFY(!r.aborted);
        QCOMPARE(r.portsOpened, 2);
        QVERIFY(!port.IsOpen());
        QCOMPARE(trace.Count("try "), 20);
        QCOMPARE(trace.Count("none "), 2);
        QCOMPARE(trace.events.back(), std::string("none COM20"));
        QCOMPARE(trace.Count("bad"), 0);
    }

    // What the device behind the port answers decides: the identify reply
    // must begin "ZGRZ" with at least 6 bytes, and the type line must end in
    // LF within its time limit.
    void deviceAnswers_data() {
        QTest::addColumn<QString>("command");  // the answer replaced
        QTest::addColumn<QByteArray>("reply");
        QTest::addColumn<bool>("noTypeLine");
        QTest::addColumn<bool>("found");
        QTest::addColumn<QString>("typeLine");
        QTest::newRow("identify refused")
            << "TZA" << QByteArray("ZGRX\r\n") << false << false << "";
        QTest::newRow("identify short") << "TZA" << QByteArray("ZGRZ\r") << false << false << "";
        QTest::newRow("identify with two odd bytes")
            << "TZA" << QByteArray("ZGRZ??") << false << true << "";
        QTest::newRow("no type line") << "" << QByteArray() << true << false << "";
        QTest::newRow("type line without LF")
            << "TZB" << QByteArray("ZT-400\r") << false << false << "";
        QTest::newRow("type line with LF alone")
            << "TZB" << QByteArray("ZT-400\n") << false << true << "ZT-400";
        QTest::newRow("type line of 40 bytes keeps 32")
            << "TZB" << QByteArray(40, 'T').append("\r\n") << false << true
            << QString(32, QLatin1Char('T'));
    }
    void deviceAnswers() {
        QFETCH(QString, command);
        QFETCH(QByteArray, reply);
        QFETCH(bool, noTypeLine);
        QFETCH(bool, found);
        QFETCH(QString, typeLine);
        SimHarness sim(WelderOn(3));
        if (!command.isEmpty()) {
            sim.Welder().SetRawReply(command.toStdString(), reply.toStdString());
        }
        sim.Welder().SetNoTypeLine(noTypeLine);
        TCommPort port;
        tav::link::RxBuffer rx{};
        Trace trace;

        const SearchResult r = tav::link::SearchPort(port, rx, "COM3", trace.Callbacks());

        QCOMPARE(r.portsOpened, 1);
        QCOMPARE(r.welder.has_value(), found);
        QCOMPARE(port.IsOpen(), found);
        QCOMPARE(trace.Count("none COM3"), found ? 0 : 1);
        if (found) {
            if (!typeLine.isEmpty()) {
                QCOMPARE(QString::fromStdString(r.welder->typeLine), typeLine);
            }
        }
        // The type line is asked for only after a good identify reply.
        const bool identified = command != "TZA" || found;
        QCOMPARE(sim.Welder().Received("TZB"), identified);
    }

    // The abort check comes before each port: set while COM2 is tried, the
    // pass ends after COM2 and the welder on COM3 is not reached.
    void abortStopsBeforeTheNextPort() {
        SimHarness sim(WelderOn(3));
        sim.AddSilentDevice(2);
        TCommPort port;
        tav::link::RxBuffer rx{};
        Trace trace;
        bool abort = false;
        SearchCallbacks cb = trace.Callbacks();
        cb.tryingPort = [&](int, const std::string& name) {
            trace.events.push_back("try " + name);
            abort = abort || name == "COM2";
        };
        cb.aborted = [&] { return abort; };

        const SearchResult r = tav::link::SearchPass(port, rx, cb);

        QVERIFY(r.aborted);
        QVERIFY(!r.welder.has_value());
        QVERIFY(!port.IsOpen());
        const std::vector<std::string> expected{"try COM1", "try COM2", "open COM2", "none COM2"};
        QCOMPARE(trace.events, expected);
        QVERIFY(!sim.Welder().Received("TZA"));
    }

    // An error on a port ends the work there and the pass goes on: a
    // callback that throws on COM3 skips the welder, and one whose device
    // hangs up mid-exchange is closed and skipped too.
    void errorsSkipThePort() {
        SimHarness sim(WelderOn(3));
        sim.PublishWelder(7);
        TCommPort port;
        tav::link::RxBuffer rx{};
        Trace trace;
        SearchCallbacks cb = trace.Callbacks();
        cb.tryingPort = [&](int, const std::string& name) {
            trace.events.push_back("try " + name);
            if (name == "COM3") {
                throw std::runtime_error("skip");
            }
        };
        const SearchResult r = tav::link::SearchPass(port, rx, cb);
        QVERIFY(r.welder.has_value());
        QCOMPARE(r.welder->portName, std::string("COM7"));
        QCOMPARE(trace.Count("open COM3"), 0);

        // A device that hangs up as soon as it is opened: the read error
        // closes the port and no "no welder" is reported for it.
        port.Close();
        Trace trace2;
        SearchCallbacks cb2 = trace2.Callbacks();
        cb2.portOpened = [&](const std::string& name) {
            trace2.events.push_back("open " + name);
            sim.Welder().HangUp();
        };
        const SearchResult r2 = tav::link::SearchPort(port, rx, "COM3", cb2);
        QVERIFY(!r2.welder.has_value());
        QCOMPARE(r2.portsOpened, 1);
        QVERIFY(!port.IsOpen());
        QCOMPARE(trace2.Count("none"), 0);
    }

    // Searching again while connected closes the welder's port first and
    // finds the welder again on the same port.
    void searchAgainWhileConnected() {
        SimHarness sim(WelderOn(4));
        TCommPort port;
        tav::link::RxBuffer rx{};
        QVERIFY(tav::link::SearchPass(port, rx).welder.has_value());
        QVERIFY(port.IsOpen());
        const SearchResult again = tav::link::SearchPass(port, rx);
        QVERIFY(again.welder.has_value());
        QCOMPARE(again.welder->portName, std::string("COM4"));
        QVERIFY(port.IsOpen());
    }

    // A port given by name: missing, and a path.
    void namedPort() {
        SimHarness sim(WelderOn(3));
        TCommPort port;
        tav::link::RxBuffer rx{};
        const SearchResult missing = tav::link::SearchPort(port, rx, "COM9");
        QVERIFY(!missing.welder.has_value());
        QCOMPARE(missing.portsOpened, 0);

        const std::string path = sim.LinkPath(3);
        const SearchResult byPath = tav::link::SearchPort(port, rx, path);
        QVERIFY(byPath.welder.has_value());
        QCOMPARE(byPath.welder->portName, path);
    }

  private:
    std::unique_ptr<tav::test::ScaledClock> clock_;
};

QTEST_GUILESS_MAIN(TestWelderSearch)
#include "test_welder_search.moc"
