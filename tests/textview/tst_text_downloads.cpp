// The two text downloads of the main window against the simulated welder on
// a pseudo-terminal: lines cut at CR or LF, the all-fusions character
// filter, the whole-memory byte 26, the end states of the window, no answer,
// not connected, and an unplugged line in the middle.
#include <QPlainTextEdit>
#include <QStatusBar>
#include <QTableView>
#include <QToolButton>
#include <QtTest>

#include <optional>
#include <string>
#include <vector>

#include "core/SimHarness.h"
#include "core/TestClock.h"
#include "gui/WindowFixture.h"
#include "platform/QtText.h"
#include "sim/Lines.h"

using tav::test::SimHarness;
using tav::test::WindowFixture;

namespace {

// The welder connected on COM3, the main window open on it. The window is
// the one a connection leaves: port open, Connected, the welder's tools.
struct Rig {
    SimHarness sim;
    WindowFixture fx;
    TForm1& form;

    Rig() : form(fx.Form()) {
        form.Port.SetPortName(sim.PortName());
        form.Port.Open();
        form.Connected = true;
        form.EnterConnectionState(TForm1::ConnectionState::Connected);
    }

    // (A view holding one empty line gives {""}.)
    QStringList PulpitLines() const { return form.Pulpit->toPlainText().split(QLatin1Char('\n')); }
};

QString FromBytes(const std::string& bytes) {
    return tav::FromCp1250(bytes);
}

// The text state of a finished download.
void CheckTextState(TForm1& form) {
    QVERIFY(TForm1::IsShown(form.Pulpit));
    QVERIFY(!TForm1::IsShown(form.Grid));
    QVERIFY(TForm1::IsShown(form.SpeedButton5));
    QVERIFY(TForm1::IsShown(form.PrintSetup1));
    QVERIFY(TForm1::IsShown(form.SpeedButton3));
    QVERIFY(form.N23->isEnabled());
    QVERIFY(!TForm1::IsShown(form.SpeedButton15));
    QVERIFY(!form.Podgldraportuzgrzewania1->isEnabled());
    for (QToolButton* b :
         {form.SpeedButton10, form.SpeedButton17, form.SpeedButton18, form.SpeedButton19}) {
        QVERIFY(TForm1::IsShown(b));
    }
    for (QToolButton* b : {form.SpeedButton16, form.SpeedButton20, form.SpeedButton21}) {
        QVERIFY(!TForm1::IsShown(b));
    }
    for (QAction* a : {form.Kopiuj1, form.Wklej1, form.Znajd1, form.Zastp1,
                       form.Trybrcznejedycjitabeli1, form.Usuzaz1}) {
        QVERIFY(a->isEnabled());
    }
    QVERIFY(!form.Zastpnazwlokalizacji1->isEnabled());
    QVERIFY(TForm1::IsMenuEnabled(form.Edycja1));
}

}  // namespace

class TextDownloadsTest : public QObject {
    Q_OBJECT

  private slots:
    // All fusions from a welder with records, over a table left in manual
    // editing: the report arrives line by line, filtered, and the window
    // ends in the text state with nothing to save.
    void allFusionsShowsTheReport() {
        Rig rig;
        TForm1& form = rig.form;
        form.EnterTableView(true);
        form.TableEditMode = true;
        form.w1->setChecked(true);
        form.SpeedButton21->setChecked(true);
        form.GridCells.SetRowCount(7);
        form.SetStatusPanelText(1, QStringLiteral("ZGRZEWARKA"));

        std::vector<int> linesAtRepaint;
        rig.fx.Platform().OnProcessMessages(
            [&] { linesAtRepaint.push_back(form.Pulpit->document()->blockCount()); });
        form.SpeedButton7Click();

        QStringList expected;
        const auto answer = tav::sim::TableAnswer(rig.sim.Welder().Records(),
                                                  tav::sim::Language::Polish, "2009.05.04 12:00");
        for (std::string line : answer) {
            for (char& c : line) {
                const auto v = static_cast<signed char>(c);
                if (v < 32 || v > 124) {
                    c = ' ';
                }
            }
            expected << QString::fromLatin1(line.c_str());
        }
        QCOMPARE(rig.PulpitLines(), expected);
        QVERIFY(rig.sim.Welder().Received("TZC"));
        QVERIFY(!form.DataModified);
        QVERIFY(rig.fx.Platform().Messages().empty());
        CheckTextState(form);
        // Repainted after each line, the view growing as lines came in.
        QCOMPARE(int(linesAtRepaint.size()), expected.size());
        QCOMPARE(linesAtRepaint.back(), int(expected.size()));
        QCOMPARE(form.StatusPanelText(1), QString());
        QCOMPARE(form.GridCells.RowCount(), 2);
        QVERIFY(!form.TableEditMode);
        QVERIFY(!form.w1->isChecked());
        QVERIFY(!form.LongCommandRunning());
        QVERIFY(form.ToolBar1->isEnabled());
    }

    // Unsaved text shown: the question first. No discards the text; Yes
    // saves it through Save as before the download replaces it.
    void unsavedTextIsOfferedForSaving_data() {
        QTest::addColumn<bool>("save");
        QTest::newRow("no") << false;
        QTest::newRow("yes") << true;
    }

    void unsavedTextIsOfferedForSaving() {
        QFETCH(bool, save);
        Rig rig;
        TForm1& form = rig.form;
        form.Pulpit->setPlainText(QStringLiteral("edited text"));
        form.EnterTextView(true);
        QVERIFY(form.DataModified);
        rig.sim.Welder().SetRawReply("TZC", "NEW\r\n");
        const QString saved = rig.fx.PathOf(QStringLiteral("kept.txt"));
        rig.fx.Platform().QueueAnswer(save ? tav::Answer::Yes : tav::Answer::No);
        if (save) {
            rig.fx.Platform().QueueSaveFile(saved);
        }
        form.SpeedButton7Click();

        const auto& messages = rig.fx.Platform().Messages();
        QVERIFY(!messages.empty());
        QCOMPARE(messages[0].text,
                 QStringLiteral("Before connecting to the welder data window must be closed.Save "
                                "data to a file?"));
        QCOMPARE(messages[0].buttons, unsigned(tav::kBtnYes | tav::kBtnNo));
        QCOMPARE(QFile::exists(saved), save);
        if (save) {
            QFile file(saved);
            QVERIFY(file.open(QIODevice::ReadOnly));
            QVERIFY(file.readAll().startsWith("edited text"));
        }
        QCOMPARE(rig.PulpitLines(), QStringList{"NEW"});
        QVERIFY(!form.DataModified);
        QCOMPARE(rig.fx.Platform().UnusedAnswers(), 0);
    }

    // Exact bytes from the welder (a raw answer in place of its report).
    void rawAnswers_data() {
        QTest::addColumn<bool>("wholeMemory");
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QStringList>("expected");

        QTest::newRow("line ends CR LF, LF CR, CR, LF; blank lines vanish")
            << false << QByteArray("A\r\nB\n\rC\rD\nE\r\n\r\n\n\nF\r\n")
            << QStringList{"A", "B", "C", "D", "E", "F"};
        QTest::newRow("all fusions: 124 and 32 kept, the rest blanked")
            << false << QByteArray("| x}~\x7f\x01\x1f\x09\x80\xb9\xff|\r\n")
            << QStringList{"| x         |"};
        QTest::newRow("unfinished last line dropped")
            << false << QByteArray("A\r\nBC") << QStringList{"A"};
        QTest::newRow("whole memory: bytes unchanged") << true << QByteArray("}~\x7f\x01\xb9|\r\n")
                                                       << QStringList{FromBytes("}~\x7f\x01\xb9|")};
        QTest::newRow("whole memory: 26 after CR LF adds an empty line")
            << true << QByteArray("A\r\n\x1a") << QStringList{"A", ""};
        QTest::newRow("whole memory: 26 mid-line drops the rest of the read") << true
                                                                              << QByteArray(
                                                                                     "AB\x1a"
                                                                                     "CD\r\nEF\r\n")
                                                                              << QStringList{"AB"};
        // One empty line: still a line, so the text state.
        QTest::newRow("whole memory: 26 first is one empty line")
            << true << QByteArray("\x1a") << QStringList{""};
    }

    void rawAnswers() {
        QFETCH(bool, wholeMemory);
        QFETCH(QByteArray, bytes);
        QFETCH(QStringList, expected);
        // The whole-memory silence of 10 s passes twenty times faster.
        std::optional<tav::test::ScaledClock> clock;
        if (wholeMemory) {
            clock.emplace(1000, 20);
        }
        Rig rig;
        rig.sim.Welder().SetRawReply(wholeMemory ? "TZK" : "TZC", bytes.toStdString());
        if (wholeMemory) {
            rig.form.Pobierzcazawartopamiciwpostacitekstowej1Click();
        } else {
            rig.form.SpeedButton7Click();
        }
        QCOMPARE(rig.PulpitLines(), expected);
        QVERIFY(rig.form.LineAccumulator.empty());
        QVERIFY(!rig.form.DataModified);
        QVERIFY(rig.fx.Platform().Messages().empty());
        CheckTextState(rig.form);
    }

    // The 10 s wait of the whole-memory download counts down in the status
    // bar while the welder is silent, and the countdown goes at the end.
    void wholeMemoryCountsDownTheWait() {
        tav::test::ScaledClock clock(1000, 20);
        Rig rig;
        TForm1& form = rig.form;
        QStringList shown;
        rig.fx.Platform().OnProcessMessages([&] {
            const QString m = form.StatusBar->currentMessage();
            if (!m.isEmpty() && (shown.isEmpty() || shown.last() != m)) {
                shown << m;
            }
        });
        form.Pobierzcazawartopamiciwpostacitekstowej1Click();

        const auto dump = tav::sim::MemoryDump(rig.sim.Welder().Records(),
                                               tav::sim::Language::Polish, "2009.05.04 12:00");
        // The dump's lines and the empty line its closing byte 26 adds.
        QCOMPARE(rig.PulpitLines().size(), qsizetype(dump.size() + 1));
        QCOMPARE(rig.PulpitLines().first(), FromBytes(dump.front()));
        QVERIFY(rig.sim.Welder().Received("TZK"));
        // Seconds left, counting down (a slow machine may skip one).
        const QRegularExpression countdown(
            QStringLiteral("^Waiting for data from the welder\\.\\.\\. ([1-9]) s$"));
        QVERIFY2(shown.size() >= 3, qPrintable(shown.join(" | ")));
        int previous = 10;
        for (const QString& m : shown) {
            const QRegularExpressionMatch match = countdown.match(m);
            QVERIFY2(match.hasMatch(), qPrintable(m));
            QVERIFY2(match.captured(1).toInt() < previous, qPrintable(shown.join(" | ")));
            previous = match.captured(1).toInt();
        }
        QCOMPARE(form.StatusBar->currentMessage(), QString());
        CheckTextState(form);
    }

    // Nothing comes back: the error box, the text view hidden, the empty
    // state.
    void noAnswerGivesTheErrorAndTheEmptyState() {
        Rig rig;
        TForm1& form = rig.form;
        rig.sim.Welder().SetSilent(true);
        form.Pulpit->setPlainText(QStringLiteral("old text"));
        form.EnterTextView(true);
        form.DataModified = false;
        form.SpeedButton7Click();

        const auto& messages = rig.fx.Platform().Messages();
        QCOMPARE(int(messages.size()), 1);
        QCOMPARE(
            messages[0].text,
            QStringLiteral("Welder is not responding. Check the cable or turn off/on the welder!"));
        QCOMPARE(messages[0].kind, tav::MsgKind::Error);
        QCOMPARE(messages[0].buttons, unsigned(tav::kBtnOk));
        QVERIFY(!TForm1::IsShown(form.Pulpit));
        QVERIFY(form.Pulpit->toPlainText().isEmpty());
        QVERIFY(!TForm1::IsShown(form.SpeedButton5));
        QVERIFY(!TForm1::IsShown(form.SpeedButton3));
        QVERIFY(!TForm1::IsShown(form.SpeedButton19));
        QVERIFY(!form.N23->isEnabled());
        QVERIFY(!form.DataModified);
    }

    // The Polish interface gets the Polish box.
    void noAnswerInPolish() {
        SimHarness sim;
        WindowFixture fx(WindowFixture::MakeConfig(0, "Firma"));
        TForm1& form = fx.Form();
        form.Port.SetPortName(sim.PortName());
        form.Port.Open();
        form.Connected = true;
        sim.Welder().SetSilent(true);
        form.SpeedButton7Click();
        QCOMPARE(fx.Platform().MessageTexts(),
                 QStringList{tav::U8("Zgrzewarka nie odpowiada. Sprawdź kabel lub wyłącz a "
                                     "nastepnie włącz zgrzewarkę!")});
    }

    // Not connected: nothing is sent, shown or changed.
    void notConnectedDoesNothing() {
        Rig rig;
        TForm1& form = rig.form;
        form.Connected = false;
        form.Pulpit->setPlainText(QStringLiteral("kept"));
        form.EnterTextView(false);
        form.SpeedButton7Click();
        form.Pobierzcazawartopamiciwpostacitekstowej1Click();
        QVERIFY(rig.sim.Welder().WaitIdle(200));
        QVERIFY(rig.sim.Welder().Frames().empty());
        QVERIFY(rig.fx.Platform().Messages().empty());
        QCOMPARE(form.Pulpit->toPlainText(), QStringLiteral("kept"));
        QVERIFY(TForm1::IsShown(form.Pulpit));
    }

    // The cable is pulled after three lines: the port error reaches the
    // command wrapper, the lines received stay, and the window keeps the
    // state it had reached (the other commands usable again).
    void hangUpKeepsTheLinesReceived() {
        Rig rig;
        TForm1& form = rig.form;
        rig.sim.Welder().SetHangUpAfterLine(3);
        form.RunCommand([&form] { form.SpeedButton7Click(); });

        const auto answer = tav::sim::TableAnswer(rig.sim.Welder().Records(),
                                                  tav::sim::Language::Polish, "2009.05.04 12:00");
        QCOMPARE(rig.PulpitLines().size(), 3);
        QCOMPARE(rig.PulpitLines().first(), QString::fromLatin1(answer.front().c_str()));
        const QStringList messages = rig.fx.Platform().MessageTexts();
        QCOMPARE(messages.size(), 1);
        QVERIFY2(messages[0].startsWith(QStringLiteral("Serial port error ")),
                 qPrintable(messages[0]));
        QVERIFY(TForm1::IsShown(form.Pulpit));
        QVERIFY(!form.LongCommandRunning());
        QVERIFY(form.ToolBar1->isEnabled());
        QVERIFY(!form.Pulpit->isReadOnly());
    }
};

QTEST_MAIN(TextDownloadsTest)
#include "tst_text_downloads.moc"
