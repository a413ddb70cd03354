// The window's welder commands against a faulty simulated welder, run as a
// click runs them (through RunCommand): both table downloads, both text
// downloads, the erase and the connect command, each under an unplugged
// cable, garbage, stalls, an overlong line, a welder answering another
// command and silence. Every command must come back with the message the
// program gives for it (or none), keep what it had received, and leave the
// window usable: once the fault is over, the connect command finds the
// welder again and the same command then works.
#include <QPlainTextEdit>
#include <QTimer>
#include <QPushButton>
#include <QtTest>

#include <functional>
#include <optional>

#include "FaultyWelder.h"
#include "gui/WindowFixture.h"
#include "link/Wyszukaj.h"
#include "records/Form2.h"
#include "records/Form9.h"
#include "records/MonthCalendar.h"
#include "shell/Form1.h"

using namespace tav::test::faults;
using tav::sim::Faults;

Q_DECLARE_METATYPE(tav::sim::Faults)

namespace {

enum class Command { AllRecords, Period, AllFusionsText, MemoryText, Erase, Connect };

const QString kNotResponding =
    QStringLiteral("Welder is not responding. Check the cable or turn off/on the welder!");
const QString kPortError = QStringLiteral("Serial port error ");
const QString kEraseFailed = QStringLiteral(
    "Unable to erase welder's memory! Check the cable or turn off/on the welder!");
const QString kErased = QStringLiteral("Welder's memory erased!");
const QString kHeaderWarning =
    QStringLiteral("Not all fusion data have been downloaded. Try again!");
const QString kEraseQuestion = QStringLiteral("Erasing welder's memory is irreversible?");

}  // namespace

Q_DECLARE_METATYPE(Command)

class CommandFaults : public QObject {
    Q_OBJECT

    std::optional<tav::test::WindowFixture> fx;
    std::optional<FaultyWelder> welder;

    TForm1& Form() { return fx->Form(); }
    tav::test::FakePlatform& Platform() { return fx->Platform(); }

    // Runs the connect command; a search that has not found the welder after
    // two passes over the ports is ended by closing its window, as the user
    // would.
    bool Connect() {
        int looks = 0;
        Platform().OnProcessMessages([this, &looks] {
            if (++looks > 40) {
                Form().Others().Wyszukaj->close();
            }
        });
        Form().RunCommand([this] { Form().SpeedButton8Click(); });
        Platform().OnProcessMessages({});
        return Form().Connected;
    }

    // Runs `command` as a click does; the texts of the messages it showed.
    QStringList Run(Command command) {
        Platform().ClearMessages();
        switch (command) {
            case Command::AllRecords:
                Form().RunCommand([this] { Form().SBPobierzCaloscClick(); });
                break;
            case Command::Period: {
                // Every record's date lies in the range chosen and confirmed.
                TForm2* dialog = fx->Windows().Form2.get();
                dialog->CCalendar1->setSelectedDate(QDate(2009, 3, 1));
                dialog->CCalendar2->setSelectedDate(QDate(2009, 12, 31));
                auto* timer = new QTimer(dialog);
                timer->setInterval(5);
                QObject::connect(timer, &QTimer::timeout, dialog, [timer, dialog] {
                    if (dialog->isVisible()) {
                        timer->stop();
                        timer->deleteLater();
                        dialog->SpeedButton1->click();
                    }
                });
                timer->start();
                Form().RunCommand([this] { Form().SBPobierzOkresClick(); });
                break;
            }
            case Command::AllFusionsText:
                Form().RunCommand([this] { Form().SpeedButton7Click(); });
                break;
            case Command::MemoryText:
                Form().RunCommand(
                    [this] { Form().Pobierzcazawartopamiciwpostacitekstowej1Click(); });
                break;
            case Command::Erase:
                Platform().QueueBoxResult(6);  // Yes, erase
                Form().RunCommand([this] { Form().SBKasujClick(); });
                break;
            case Command::Connect:
                Connect();
                break;
        }
        QStringList texts = Platform().MessageTexts();
        if (command == Command::Erase && !texts.isEmpty() && texts.front().startsWith(kEraseQuestion)) {
            texts.removeFirst();  // the question answered Yes
        }
        return texts;
    }

    int PulpitLines() { return static_cast<int>(Form().PulpitLines().size()); }

    // Table rows that hold a record.
    int FilledRows() {
        int rows = 0;
        for (int row = 1; row < Form().GridCells.RowCount(); ++row) {
            rows += Form().GridCells.Cell(1, row).empty() ? 0 : 1;
        }
        return rows;
    }

    // The rows of faults_data(): the table downloads, and the other commands.
    void TableRows() {
        const auto all = Command::AllRecords;
        QTest::newRow("all records: cable pulled out after line 8")
            << all << HangUpAfter(8) << false << kPortError << RecordsInFirstLines(8);
        QTest::newRow("all records: cable pulled out before the command")
            << all << Faults{} << true << kPortError << 0;
        QTest::newRow("all records: stall before the answer")
            << all << StallAfter(0, 3000) << false << kNotResponding << 0;
        QTest::newRow("all records: garbage lines")
            << all << GarbageLines(60) << false << QString() << kRecords;
        QTest::newRow("all records: line longer than the buffer")
            << all << OverlongAfter(6, 10100) << false << QString() << kRecords;
        QTest::newRow("all records: answered as the memory dump")
            << all << AnswerAs("TZC", "TZK") << false << kNotResponding << 0;
        QTest::newRow("all records: silent") << all << Silent() << false << kNotResponding << 0;

        const auto period = Command::Period;
        QTest::newRow("period: cable pulled out after line 8")
            << period << HangUpAfter(8) << false << kPortError << RecordsInFirstLines(8);
        QTest::newRow("period: stall before the answer")
            << period << StallAfter(0, 3000) << false << kNotResponding << 0;
        QTest::newRow("period: answered as the memory dump")
            << period << AnswerAs("TZD", "TZK") << false << kNotResponding << 0;

    }

    void OtherRows() {
        const auto fusions = Command::AllFusionsText;
        QTest::newRow("all fusions: cable pulled out after line 6")
            << fusions << HangUpAfter(6) << false << kPortError << 6;
        QTest::newRow("all fusions: stall past the silence limit after line 6")
            << fusions << StallAfter(6, 2000) << false << QString() << 6;
        QTest::newRow("all fusions: answered as the memory dump")
            << fusions << AnswerAs("TZC", "TZK") << false << QString()
            << static_cast<int>(AnswerLines(tav::link::kMemoryTextTemplate).size());
        QTest::newRow("all fusions: silent") << fusions << Silent() << false << kNotResponding << 0;

        const auto memory = Command::MemoryText;
        QTest::newRow("whole memory: cable pulled out after line 3")
            << memory << HangUpAfter(3) << false << kPortError << 3;
        QTest::newRow("whole memory: line longer than the buffer")
            << memory << OverlongAfter(3, 10100) << false << QString()
            << static_cast<int>(AnswerLines(tav::link::kMemoryTextTemplate).size()) + 1;

        const auto erase = Command::Erase;
        QTest::newRow("erase: cable pulled out") << erase << Faults{} << true << QString() << -1;
        QTest::newRow("erase: garbage before the reply")
            << erase << GarbagePrefix(3) << false << kEraseFailed << -1;
        QTest::newRow("erase: answered as identify")
            << erase << AnswerAs("TZERASE", "TZA") << false << kEraseFailed << -1;
        QTest::newRow("erase: silent") << erase << Silent() << false << QString() << -1;

        const auto connect = Command::Connect;
        QTest::newRow("connect: cable pulled out") << connect << Faults{} << true << QString()
                                                   << -1;
        QTest::newRow("connect: garbage before every answer")
            << connect << GarbagePrefix(4) << false << QString() << -1;
        QTest::newRow("connect: identify answered as the count")
            << connect << AnswerAs("TZA", "TZF") << false << QString() << -1;
        QTest::newRow("connect: no type line")
            << connect << [] {
                   Faults f;
                   f.noTypeLine = true;
                   return f;
               }() << false << QString() << -1;
    }

private slots:
    void init() {
        fx.emplace(tav::test::WindowFixture::MakeConfig(1, ""));  // English
        welder.emplace();
        // Connected to the welder on COM3, as after a search.
        Form().Port.SetPortName("COM3");
        Form().Port.Open();
        Form().Connected = true;
        Form().EnterConnectionState(TForm1::ConnectionState::Connected);
    }
    void cleanup() {
        fx.reset();
        welder.reset();
    }

    void faults_data() {
        QTest::addColumn<Command>("command");
        QTest::addColumn<Faults>("faults");
        QTest::addColumn<bool>("hangUpFirst");  // the cable pulled out before the command
        QTest::addColumn<QString>("message");   // the start of the one message; empty: none
        QTest::addColumn<int>("kept");  // records (table) or lines (text) kept; -1: not checked

        // Two executables share the rows, so the suite runs them side by side:
        // the table downloads in one, the other commands in the other.
        if (TAVELIN_FAULT_TABLES != 0) {
            TableRows();
        } else {
            OtherRows();
        }
    }

    void faults() {
        QFETCH(Command, command);
        QFETCH(Faults, faults);
        QFETCH(bool, hangUpFirst);
        QFETCH(QString, message);
        QFETCH(int, kept);
        // The whole-memory download ends after 10 s of silence: its clock
        // runs five times real speed.
        std::optional<tav::test::ScaledClock> clock;
        if (command == Command::MemoryText) {
            clock.emplace(1000, 5);
        }

        welder->Welder().SetFaults(faults);
        if (hangUpFirst) {
            welder->Welder().HangUp();
        }
        const QStringList shown = Run(command);
        if (message.isEmpty()) {
            QVERIFY2(shown.isEmpty(), qPrintable(shown.join(QLatin1Char('|'))));
        } else {
            QVERIFY(!shown.isEmpty());
            QVERIFY2(shown.front().startsWith(message), qPrintable(shown.front()));
            // A period download goes on after silence and then misses its
            // header lines; nothing else may follow.
            const QStringList rest = shown.mid(1);
            QCOMPARE(rest, command == Command::Period && message == kNotResponding
                               ? QStringList{kHeaderWarning}
                               : QStringList{});
        }
        if ((command == Command::AllRecords || command == Command::Period) && kept >= 0) {
            QCOMPARE(FilledRows(), kept);
            QVERIFY(!Form().Others().Form9->isVisible());  // the wait window is closed
        } else if ((command == Command::AllFusionsText || command == Command::MemoryText) &&
                   kept >= 0) {
            QCOMPARE(PulpitLines(), kept);
        } else if (command == Command::Connect) {
            QVERIFY(!Form().Connected);
        }
        QVERIFY(!Form().LongCommandRunning());
        clock.reset();

        // The fault over: plugged in again, found again, and the command works.
        welder->Restore();
        Form().DataModified = false;
        Form().RunCommand([this] { Form().SpeedButton1Click(); });  // clear the screen
        QVERIFY(Connect());
        if (command == Command::MemoryText) {
            clock.emplace(1000, 5);
        }
        const QStringList again = Run(command);
        if (command == Command::Erase) {
            QCOMPARE(again, QStringList{kErased});
        } else {
            QVERIFY2(again.isEmpty(), qPrintable(again.join(QLatin1Char('|'))));
        }
        if (command == Command::AllRecords || command == Command::Period) {
            QCOMPARE(FilledRows(), kRecords);
        } else if (command == Command::AllFusionsText) {
            QCOMPARE(PulpitLines(), static_cast<int>(AnswerLines(tav::link::kAllRecordsTemplate).size()));
        }
    }
};

QTEST_MAIN(CommandFaults)
#include "test_command_faults.moc"
