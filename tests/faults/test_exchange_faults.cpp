// The short exchanges of the connect and erase commands (identify, type
// line, record count, erase) against a faulty simulated welder: each ends
// with its own outcome and never throws anything but ECommError, and the
// welder is found again once the fault is over.
#include <QtTest>

#include "FaultTest.h"

using namespace tav::test::faults;

class ExchangeFaults : public FaultTest {
    Q_OBJECT

private slots:
    // Identify, type line, count and erase: what each exchange makes of a
    // faulty reply. "error" is an ECommError (the line hung up).
    void shortExchanges_data() {
        QTest::addColumn<Faults>("faults");
        QTest::addColumn<bool>("hangUpFirst");
        QTest::addColumn<QString>("identify");  // "yes", "no" or "error"
        QTest::addColumn<QString>("typeLine");
        QTest::addColumn<int>("count");  // -2: ECommError
        QTest::addColumn<QString>("erase");  // "erased", "refused", "none", "error"

        QTest::newRow("no fault") << Faults{} << false << "yes" << "yes" << kRecords << "erased";
        QTest::newRow("silent") << Silent() << false << "no" << "no" << -1 << "none";
        QTest::newRow("garbage before every answer")
            << GarbagePrefix(7) << false << "no" << "yes" << -1 << "refused";
        QTest::newRow("each answered as another")
            << [] {
                   Faults f = AnswerAs("TZA", "TZF");
                   f.answerAs["TZB"] = "TZA";
                   f.answerAs["TZF"] = "TZB";
                   f.answerAs["TZERASE"] = "TZA";
                   return f;
               }()
            << false << "no" << "yes" << -1 << "refused";
        QTest::newRow("overlong type line, count with letters, erase without CR")
            << [] {
                   Faults f = Raw("TZB", std::string(300, 'Z') + "\r\n");
                   f.rawReply["TZF"] = "12A4\r\n";
                   f.rawReply["TZERASE"] = "OK\n\r";
                   return f;
               }()
            << false << "yes" << "yes" << 1374 << "refused";
        QTest::newRow("reply cut short")
            << [] {
                   Faults f = Raw("TZA", "ZGR");
                   f.rawReply["TZB"] = "Zgrzewarka";
                   f.rawReply["TZF"] = "001";
                   f.rawReply["TZERASE"] = "OK";
                   return f;
               }()
            << false << "no" << "no" << -1 << "none";
        // It talks in lines, so the type-line exchange takes one of them.
        QTest::newRow("non-stop talker") << Talker() << false << "no" << "yes" << -1 << "refused";
        QTest::newRow("cable pulled out") << Faults{} << true << "error" << "error" << -2
                                          << "error";
    }
    void shortExchanges() {
        QFETCH(Faults, faults);
        QFETCH(bool, hangUpFirst);
        QFETCH(QString, identify);
        QFETCH(QString, typeLine);
        QFETCH(int, count);
        QFETCH(QString, erase);
        welder->Welder().SetFaults(faults);
        {
            Link link;
            if (hangUpFirst) {
                welder->Welder().HangUp();
            }
            const auto outcome = [&](auto exchange) -> QString {
                try {
                    return exchange();
                } catch (const ECommError& e) {
                    // A line that hung up fails the next write (9), read (10)
                    // or look at the input queue (18).
                    return e.Code == 9 || e.Code == 10 || e.Code == 18
                               ? QStringLiteral("error")
                               : QStringLiteral("code %1").arg(e.Code);
                }
            };
            QCOMPARE(outcome([&] {
                         return QString(tav::link::Identify(link.port, link.rx) ? "yes" : "no");
                     }),
                     identify);
            QCOMPARE(outcome([&] {
                         return QString(tav::link::ReadTypeLine(link.port, link.rx) ? "yes" : "no");
                     }),
                     typeLine);
            QCOMPARE(outcome([&] {
                         return QString::number(
                             tav::link::QueryRecordCount(true, link.port, link.rx));
                     }),
                     count == -2 ? QStringLiteral("error") : QString::number(count));
            QCOMPARE(outcome([&] {
                         switch (tav::link::EraseMemory(link.port, link.rx)) {
                             case tav::link::EraseReply::Erased: return QStringLiteral("erased");
                             case tav::link::EraseReply::Refused: return QStringLiteral("refused");
                             case tav::link::EraseReply::NoAnswer: return QStringLiteral("none");
                         }
                         return QString();
                     }),
                     erase);
        }
        welder->Welder().SetTalker(false);
        welder->CheckReconnects();
    }
};

QTEST_GUILESS_MAIN(ExchangeFaults)
#include "test_exchange_faults.moc"
