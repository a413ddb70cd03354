// The tick counter: differences across the 32-bit wrap and a settle wait
// that starts just before the wrap and ends after it.
#include <QtTest>

#include <cstdint>

#include "core/TestClock.h"
#include "platform/Tick.h"

class TestTick : public QObject {
    Q_OBJECT

private slots:
    void differences_data() {
        QTest::addColumn<quint32>("start");
        QTest::addColumn<quint32>("now");
        QTest::addColumn<quint32>("expected");
        QTest::newRow("plain") << 1000u << 1600u << 600u;
        QTest::newRow("same tick") << 0xFFFFFFF0u << 0xFFFFFFF0u << 0u;
        QTest::newRow("across the wrap") << 0xFFFFFF00u << 0x00000058u << 0x158u;
        QTest::newRow("ending exactly at the wrap") << 0xFFFFFDA8u << 0u << 600u;
        QTest::newRow("from zero") << 0u << 10001u << 10001u;
    }
    void differences() {
        QFETCH(quint32, start);
        QFETCH(quint32, now);
        QFETCH(quint32, expected);
        QCOMPARE(tav::TicksBetween(start, now), expected);
    }

    // A wait that starts 100 ms before the counter wraps must still last its
    // full length: an end computed as start + ms wraps to a small number and
    // would end the wait at once.
    void settleWaitAcrossTheWrap() {
        tav::test::ScaledClock clock(0xFFFFFFFFu - 99u, 10);
        const std::uint32_t start = tav::GetTickCount();
        tav::WaitUntilElapsed(start, 600);
        const std::uint32_t after = tav::GetTickCount();
        QVERIFY2(after < start, "the clock should have wrapped during the wait");
        QVERIFY(tav::TicksBetween(start, after) >= 600);
        QVERIFY(tav::TicksBetween(start, after) < 20000);
    }

    void waitMsUsesTheInstalledClock() {
        tav::test::ScaledClock clock(0xFFFFFFF0u, 10);
        const std::uint32_t start = tav::GetTickCount();
        tav::WaitMs(300);
        QVERIFY(tav::TicksSince(start) >= 300);
        QCOMPARE(&tav::CurrentClock(), static_cast<tav::Clock*>(&clock));
    }
};

QTEST_GUILESS_MAIN(TestTick)
#include "test_tick.moc"
