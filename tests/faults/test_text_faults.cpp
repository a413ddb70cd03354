// The text downloads' reception against a faulty simulated welder: it ends
// with an error or by silence, keeps the lines that came, and the welder is
// found again once the fault is over.
#include <QtTest>

#include <optional>

#include "FaultTest.h"

using namespace tav::test::faults;

class TextFaults : public FaultTest {
    Q_OBJECT

private slots:
    // Both text downloads' reception under faults: how it ends and the lines
    // it kept. The whole-memory download waits 10 s of silence for its end,
    // so its clock runs four times real speed (a stall of 1.5 s is then 6 s,
    // still short of the limit).
    void textDownload_data() {
        QTest::addColumn<TextDownloadKind>("kind");
        QTest::addColumn<Faults>("faults");
        QTest::addColumn<bool>("error");
        QTest::addColumn<int>("lines");  // lines kept; -1: every line of the answer

        const auto fusions = TextDownloadKind::AllFusions;
        const auto memory = TextDownloadKind::WholeMemory;
        QTest::newRow("all fusions: no fault") << fusions << Faults{} << false << -1;
        QTest::newRow("all fusions: cable pulled out after line 6")
            << fusions << HangUpAfter(6) << true << 6;
        QTest::newRow("all fusions: stall past the silence limit after line 6")
            << fusions << StallAfter(6, 2000) << false << 6;
        QTest::newRow("all fusions: line longer than the buffer after line 3")
            << fusions << OverlongAfter(3, 10100) << false << -2;
        QTest::newRow("all fusions: silent") << fusions << Silent() << false << 0;
        QTest::newRow("whole memory: no fault") << memory << Faults{} << false << -1;
        QTest::newRow("whole memory: cable pulled out after line 3")
            << memory << HangUpAfter(3) << true << 3;
        QTest::newRow("whole memory: stall within the silence limit")
            << memory << StallAfter(3, 1500) << false << -1;
        QTest::newRow("whole memory: garbage lines")
            << memory << GarbageLines(40) << false << -3;
        QTest::newRow("whole memory: answered as the table")
            << memory << AnswerAs("TZK", "TZC") << false << -4;
    }
    void textDownload() {
        QFETCH(TextDownloadKind, kind);
        QFETCH(Faults, faults);
        QFETCH(bool, error);
        QFETCH(int, lines);
        const bool memory = kind == TextDownloadKind::WholeMemory;
        std::optional<tav::test::ScaledClock> clock;
        if (memory) {
            clock.emplace(1000, 4);
        }
        const std::vector<std::string> answer = AnswerLines(tav::link::TextDownloadTemplate(kind));
        const auto welderLines = static_cast<int>(answer.size());
        // -1 every line (and for the dump the empty line its byte 26 closes);
        // -2 one more (the overlong line); -3 a garbage line after each of
        // them too; -4 the
        // table's lines.
        int expected = lines;
        if (lines == -1) {
            expected = welderLines + (memory ? 1 : 0);
        } else if (lines == -2) {
            expected = welderLines + 1;
        } else if (lines == -3) {
            expected = 2 * welderLines + 1;
        } else if (lines == -4) {
            expected = static_cast<int>(AnswerLines(tav::link::kAllRecordsTemplate).size());
        }

        welder->Welder().SetFaults(faults);
        TextSink sink;
        std::string accumulator;
        bool failed = false;
        {
            Link link;
            try {
                tav::link::SendCommandFrame(link.port, link.rx,
                                            tav::link::MakeFrame(tav::link::TextDownloadTemplate(kind)));
                tav::WaitMs(tav::link::kSettleMs);
                tav::link::ReceiveTextLines(link.port, link.rx, kind, accumulator, sink);
            } catch (const ECommError& e) {
                // The hang-up is seen by the look at the input queue (18) or
                // by the read (10).
                QVERIFY2(e.Code == 10 || e.Code == 18, qPrintable(QString::number(e.Code)));
                failed = true;
            }
        }
        QCOMPARE(failed, error);
        QCOMPARE(int(sink.lines.size()), expected);
        if (!sink.lines.empty() && lines != -4) {
            // The first line arrives as the welder sent it.
            QCOMPARE(QByteArray::fromStdString(sink.lines.front()),
                     QByteArray::fromStdString(answer.front()));
        }
        clock.reset();
        welder->CheckReconnects();
    }
};

QTEST_GUILESS_MAIN(TextFaults)
#include "test_text_faults.moc"
