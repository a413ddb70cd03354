// The table downloads' reception against a faulty simulated welder: an
// unplugged cable mid-answer, stalls, garbage, overlong lines, the wrong
// answer, silence and a non-stop talker. It ends with error, silence or the
// end of data, keeps the records that came, and the welder is found again
// once the fault is over.
#include <QtTest>

#include "FaultTest.h"

using namespace tav::test::faults;

class TableFaults : public FaultTest {
    Q_OBJECT

private slots:
    // Both table downloads' reception ("TZC"; "TZD" is received the same
    // way) under faults in the answer: how it ends, the records it kept.
    void tableDownload_data() {
        QTest::addColumn<Faults>("faults");
        QTest::addColumn<QString>("end");  // "end of data", "silence", "error"
        QTest::addColumn<int>("records");
        QTest::addColumn<bool>("typeLine");
        QTest::addColumn<bool>("paced");  // at 960 bytes/s, so line 12 comes after the settle wait

        QTest::newRow("no fault") << Faults{} << "end of data" << kRecords << true << false;
        QTest::newRow("cable pulled out after line 8")
            << HangUpAfter(8) << "error" << RecordsInFirstLines(8) << true << false;
        QTest::newRow("cable pulled out before the answer") << HangUpAfter(0) << "error" << 0
                                                           << false << false;
        QTest::newRow("stall past the silence limit after line 12")
            << StallAfter(12, 1500) << "silence" << RecordsInFirstLines(12) << true << true;
        QTest::newRow("stall within the silence limit after line 12")
            << StallAfter(12, 700) << "end of data" << kRecords << true << true;
        QTest::newRow("garbage lines between the lines")
            << GarbageLines(90) << "end of data" << kRecords << true << false;
        QTest::newRow("garbage before the type line")
            << GarbagePrefix(5) << "end of data" << kRecords << false << false;
        QTest::newRow("line longer than the buffer after line 6")
            << OverlongAfter(6, 10100) << "end of data" << kRecords << true << false;
        QTest::newRow("line of exactly the buffer's size after line 6")
            << OverlongAfter(6, 10000) << "end of data" << kRecords << true << false;
        QTest::newRow("answered as the memory dump")
            << AnswerAs("TZC", "TZK") << "silence" << 0 << false << false;
        QTest::newRow("silent") << Silent() << "silence" << 0 << false << false;
        QTest::newRow("non-stop talker") << Talker() << "silence" << 0 << false << false;
    }
    void tableDownload() {
        QFETCH(Faults, faults);
        QFETCH(QString, end);
        QFETCH(int, records);
        QFETCH(bool, typeLine);
        QFETCH(bool, paced);
        welder->Welder().SetFaults(faults);
        welder->Welder().SetPacing(paced);
        TableSink sink;
        {
            Link link;
            QString outcome;
            try {
                tav::link::SendCommandFrame(link.port, link.rx,
                                            tav::link::MakeFrame(tav::link::kAllRecordsTemplate));
                tav::WaitMs(tav::link::kSettleMs);
                sink.state.LastLineTick = tav::GetTickCount();
                switch (tav::records::ReceiveTableLines(link.port, link.rx, sink)) {
                    case ReceptionEnd::EndOfData: outcome = "end of data"; break;
                    case ReceptionEnd::NoData: outcome = "no data"; break;
                    case ReceptionEnd::Silence: outcome = "silence"; break;
                }
            } catch (const ECommError& e) {
                QCOMPARE(int(e.Code), 10);  // the table download reads byte by byte
                outcome = "error";
            }
            QCOMPARE(outcome, end);
        }
        QCOMPARE(sink.state.RecordsParsed, records);
        QCOMPARE(sink.state.TypeLineReceived, typeLine);
        // The rows received stay in the table, each with all its cells.
        for (int row = 1; row <= records; ++row) {
            QVERIFY(!sink.grid.Cell(1, row).empty());
            QVERIFY(!sink.grid.Cell(16, row).empty());
        }
        welder->Welder().SetTalker(false);
        welder->Welder().SetPacing(false);
        welder->CheckReconnects();
    }
};

QTEST_GUILESS_MAIN(TableFaults)
#include "test_table_faults.moc"
