// The all-records table download end to end: the main window's port on a
// pseudo-terminal, the simulated welder answering, every end of a download
// (records, count mismatch, no records, no data line, a welder falling
// silent, a hang-up) and what the window shows afterwards.
#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QRegularExpression>
#include <QStatusBar>
#include <QTableView>
#include <QToolButton>
#include <QtTest>

#include "LineSamples.h"
#include "TableRig.h"
#include "platform/QtText.h"
#include "records/ColumnModel.h"
#include "records/Form9.h"
#include "records/GridModel.h"
#include "records/LineClassifier.h"
#include "sim/Lines.h"

using tav::test::Cell;
using tav::test::kNotResponding;
using tav::test::SimHarness;
using tav::test::WelderRig;

namespace {

QString Q(const std::string& cp1250) {
    return tav::FromCp1250(cp1250);
}

std::string Crlf(const std::string& line) {
    return line + "\r\n";
}

// A window showing a changed text with manual table editing on, as a
// download may find it.
void LeaveTextShown(TForm1& form) {
    form.Pulpit->setPlainText(QStringLiteral("earlier text"));
    form.EnterTextView(true);
    form.w1Click();
    form.Edit2->setText(QStringLiteral("earlier period"));
    form.DataModified = false;
}

bool Shown(QWidget* w) {
    return TForm1::IsShown(w);
}

// Nothing of the download is left running or locked.
void VerifyCommandOver(WelderRig& rig) {
    QVERIFY(!rig.Form().LongCommandRunning());
    QVERIFY(rig.Form().ToolBar1->isEnabled());
    QVERIFY(!rig.fx.Windows().Form9->isVisible());
}

}  // namespace

class TestTableDownload : public QObject {
    Q_OBJECT

  private slots:
    void allRecords_data();
    void allRecords();
    void waitWindowWhileReceiving();
    void countMismatch_data();
    void countMismatch();
    void nothingToDownload_data();
    void nothingToDownload();
    void noDataLine();
    void welderFallsSilent();
    void unrecognisedLinesDoNotRefreshSilence();
    void overlongLineWraps();
    void hangUpKeepsRows();
    void changedTableSavedFirst();
};

void TestTableDownload::allRecords_data() {
    QTest::addColumn<int>("language");
    QTest::newRow("Polish") << 0;
    QTest::newRow("English") << 1;
    QTest::newRow("Czech") << 2;
    QTest::newRow("Romanian") << 3;
}

// Twenty records under three sites in each of the welder's languages.
void TestTableDownload::allRecords() {
    QFETCH(int, language);
    SimHarness::Options options;
    options.language = static_cast<tav::sim::Language>(language);
    WelderRig rig(options);
    TForm1& form = rig.Form();
    LeaveTextShown(form);
    form.setWindowTitle(QStringLiteral("report.htm"));

    form.SBPobierzCaloscClick();

    QCOMPARE(rig.Platform().MessageTexts(), QStringList());
    const tav::sim::RecordStore store = rig.sim.Welder().Records();
    QCOMPARE(store.size(), std::size_t{20});
    QCOMPARE(form.RecordsParsed, 20);
    QCOMPARE(form.GridCells.RowCount(), 21);
    for (std::size_t i = 0; i < store.size(); ++i) {
        const int row = static_cast<int>(i) + 1;
        QCOMPARE(Cell(form, 0, row), Q(store[i].siteId.substr(0, 4)));
        for (int col = 1; col < tav::records::kColumnCount; ++col) {
            QCOMPARE(Cell(form, col, row).trimmed(),
                     Q(store[i].fields[static_cast<std::size_t>(col - 1)]));
        }
    }
    QCOMPARE(form.DocumentLanguage, static_cast<std::int8_t>(language));
    const auto& headings = tav::records::ColumnHeadings()[static_cast<std::size_t>(language)];
    QCOMPARE(form.GridModel->headerData(0, Qt::Horizontal).toString(), Q(headings[0]));
    QCOMPARE(form.GridModel->headerData(16, Qt::Horizontal).toString(), Q(headings[16]));
    QCOMPARE(form.StatusPanelText(1),
             Q(tav::records::TrimLeadingBlanks(tav::sim::TypeLine(options.language))));
    QCOMPARE(form.Edit3->text(),
             Q(tav::sim::DownloadTimeLine(options.language, options.downloadTime)));
    QCOMPARE(
        form.Edit2->text(),
        Q(tav::sim::PeriodStartLine(options.language, store.front().fields[tav::sim::kDate]) + " " +
          tav::sim::PeriodEndLine(options.language, store.back().fields[tav::sim::kDate])));
    QCOMPARE(rig.sim.Welder().Frames().back(), std::string("TZCXXXXXXXX-XXXXXXXXXXXX\r\n"));

    // The table view with its report and editing tools, editing off.
    QVERIFY(form.DataModified);
    QVERIFY(!form.TableEditMode);
    QVERIFY(!form.GridModel->Editable());
    QVERIFY(!form.SpeedButton21->isChecked());
    QVERIFY(Shown(form.Grid) && Shown(form.PasekObjasnieniaOceny) && Shown(form.ToolBar2));
    QVERIFY(!Shown(form.Pulpit));
    QVERIFY(Shown(form.SpeedButton3) && form.N23->isEnabled());
    for (QWidget* w : {form.PrintSetup1, form.SpeedButton5, form.SpeedButton15, form.SpeedButton16,
                       form.SpeedButton20, form.SpeedButton21}) {
        QVERIFY2(Shown(w), qPrintable(w->objectName()));
    }
    for (QWidget* w :
         {form.SpeedButton10, form.SpeedButton17, form.SpeedButton18, form.SpeedButton19}) {
        QVERIFY2(!Shown(w), qPrintable(w->objectName()));
    }
    QVERIFY(TForm1::IsMenuEnabled(form.Edycja1));
    QVERIFY(!form.Kopiuj1->isEnabled() && !form.Zastp1->isEnabled());
    for (QAction* a : {form.Zastpnazwlokalizacji1, form.Trybrcznejedycjitabeli1, form.Usuzaz1,
                       form.Podgldraportuzgrzewania1}) {
        QVERIFY2(a->isEnabled(), qPrintable(a->objectName()));
    }
    QCOMPARE(form.windowTitle(), QString());
    VerifyCommandOver(rig);
}

// At the line rate the wait window stays painted with its text and the
// progress, and no other command runs meanwhile.
void TestTableDownload::waitWindowWhileReceiving() {
    SimHarness::Options options;
    options.records = tav::sim::GenerateRecords({.count = 8, .sites = 2});
    options.pace = true;
    WelderRig rig(options);
    TForm1& form = rig.Form();
    TForm9* wait = rig.fx.Windows().Form9.get();
    QStringList labels;
    QStringList progress;
    bool refused = true;
    bool toolsLocked = true;
    rig.Platform().OnProcessMessages([&] {
        if (!wait->isVisible()) {
            return;
        }
        labels << wait->Label1->text();
        progress << wait->Label2->text();
        toolsLocked = toolsLocked && !form.ToolBar1->isEnabled() && !form.MainMenu1->isEnabled();
        form.RunCommand([&refused] { refused = false; });
    });

    form.SBPobierzCaloscClick();

    rig.Platform().OnProcessMessages({});
    QVERIFY(labels.size() > 2);
    QCOMPARE(labels.front(), QStringLiteral("Loading data, please wait...."));
    const QRegularExpression pattern(QStringLiteral("^Records received: (\\d) of 8$"));
    const QRegularExpressionMatch last = pattern.match(progress.back());
    QVERIFY2(last.hasMatch(), qPrintable(progress.back()));
    QVERIFY(last.captured(1).toInt() > 0);
    QVERIFY(refused);
    QVERIFY(toolsLocked);
    QCOMPARE(form.RecordsParsed, 8);
    QVERIFY(rig.Platform().Messages().empty());
    QCOMPARE(form.StatusBar->currentMessage(), QString());
    VerifyCommandOver(rig);
}

void TestTableDownload::countMismatch_data() {
    QTest::addColumn<int>("language");
    QTest::addColumn<int>("delta");
    QTest::addColumn<QString>("message");
    QTest::newRow("English, more announced")
        << 1 << 2 << "Warning! 20 out of 22 welds were downloaded.Try again!";
    QTest::newRow("Polish, fewer announced")
        << 0 << -3 << "Pobrano 20 zgrzewów z 17 wszystkich zgrzewów w pamięci.";
}

// The rows received stay; nothing counts as changed, no print tools.
void TestTableDownload::countMismatch() {
    QFETCH(int, language);
    QFETCH(int, delta);
    QFETCH(QString, message);
    WelderRig rig({}, static_cast<std::uint8_t>(language));
    TForm1& form = rig.Form();
    rig.sim.Welder().SetCountDelta(delta);

    form.SBPobierzCaloscClick();

    QCOMPARE(rig.Platform().MessageTexts(), QStringList{message});
    QCOMPARE(rig.Platform().Messages()[0].kind, tav::MsgKind::Error);
    QCOMPARE(form.RecordsParsed, 20);
    QCOMPARE(form.GridCells.RowCount(), 21);
    QVERIFY(!form.DataModified);
    QVERIFY(Shown(form.Grid));
    QVERIFY(!Shown(form.PrintSetup1) && !Shown(form.SpeedButton5));
    VerifyCommandOver(rig);
}

void TestTableDownload::nothingToDownload_data() {
    QTest::addColumn<QString>("situation");
    QTest::addColumn<QString>("message");
    QTest::addColumn<int>("kind");
    QTest::newRow("count 0") << "empty"
                             << "No data in welder's memory!" << int(tav::MsgKind::Information);
    QTest::newRow("count -1") << "silent" << kNotResponding << int(tav::MsgKind::Error);
    QTest::newRow("not connected") << "disconnected" << QString() << 0;
}

// No table frame goes out; the window stays as it was.
void TestTableDownload::nothingToDownload() {
    QFETCH(QString, situation);
    QFETCH(QString, message);
    QFETCH(int, kind);
    WelderRig rig;
    TForm1& form = rig.Form();
    if (situation == "empty") {
        rig.sim.Welder().SetRecords({});
    } else if (situation == "silent") {
        rig.sim.Welder().SetSilent(true);
    } else {
        form.Connected = false;
    }

    form.SBPobierzCaloscClick();

    QVERIFY(!rig.sim.Welder().Received("TZC"));
    QCOMPARE(rig.sim.Welder().Received("TZF"), situation != "disconnected");
    if (message.isEmpty()) {
        QVERIFY(rig.Platform().Messages().empty());
    } else {
        QCOMPARE(rig.Platform().MessageTexts(), QStringList{message});
        QCOMPARE(int(rig.Platform().Messages()[0].kind), kind);
    }
    QVERIFY(!Shown(form.Grid));
    QCOMPARE(rig.Platform().ProcessMessagesCalls(), 0);  // no wait window
    QCOMPARE(form.windowTitle(), QStringLiteral("Tavelin"));
}

// A count above 0 but a no-data line: both messages, the second with 0.
void TestTableDownload::noDataLine() {
    WelderRig rig;
    TForm1& form = rig.Form();
    rig.sim.Welder().SetRecords({});
    rig.sim.Welder().SetRawReply("TZF", "0005\r\n");

    form.SBPobierzCaloscClick();

    QCOMPARE(rig.Platform().MessageTexts(),
             (QStringList{"No fusion data in welder's memory!",
                          "Warning! 0 out of 5 welds were downloaded.Try again!"}));
    QCOMPARE(form.GridCells.RowCount(), 2);
    QCOMPARE(form.Edit2->text(), QStringLiteral(" "));
    QVERIFY(!Shown(form.SpeedButton3));
    QVERIFY(!form.DataModified);
    VerifyCommandOver(rig);
}

// More than 1000 ms without a line: the message, the rows so far kept, no
// count check, nothing marked changed; the period field was emptied.
void TestTableDownload::welderFallsSilent() {
    WelderRig rig;
    TForm1& form = rig.Form();
    LeaveTextShown(form);
    rig.sim.Welder().SetStall(8, 1800);

    form.SBPobierzCaloscClick();

    QCOMPARE(rig.Platform().MessageTexts(), QStringList{kNotResponding});
    QVERIFY(form.RecordsParsed > 0 && form.RecordsParsed < 20);
    QCOMPARE(form.GridCells.RowCount(), form.RecordsParsed + 2);
    QVERIFY(!Cell(form, 1, form.RecordsParsed).isEmpty());
    QVERIFY(!form.DataModified);
    QVERIFY(Shown(form.Grid));
    QCOMPARE(form.Edit2->text(), QString());
    VerifyCommandOver(rig);
}

// Lines the parser does not know keep coming for longer than the silence
// limit: the download gives up before the record behind them.
void TestTableDownload::unrecognisedLinesDoNotRefreshSilence() {
    SimHarness::Options options;
    options.pace = true;
    WelderRig rig(options);
    TForm1& form = rig.Form();
    std::string reply = Crlf(tav::sim::TypeLine(tav::sim::Language::English));
    // About 2.2 s at the line rate; the first 0.6 s arrive during the
    // settle wait after the command.
    for (int i = 0; i < 26; ++i) {
        reply += Crlf(std::string(78, '~'));
    }
    reply += Crlf(tav::sim::SiteLine(tav::sim::Language::English, "1024"));
    reply += Crlf(std::string(tav::test::kRecordLine));
    reply += Crlf(tav::sim::EndOfDataLine(tav::sim::Language::English));
    rig.sim.Welder().SetRawReply("TZF", "0001\r\n");
    rig.sim.Welder().SetRawReply("TZC", reply);

    form.SBPobierzCaloscClick();

    QCOMPARE(rig.Platform().MessageTexts(), QStringList{kNotResponding});
    QCOMPARE(form.RecordsParsed, 0);
    QVERIFY(form.TypeLineReceived);
    VerifyCommandOver(rig);
}

// A line of more than 10000 bytes wraps in the buffer: what the parser gets
// is the part after the wrap, here a whole record line.
void TestTableDownload::overlongLineWraps() {
    WelderRig rig;
    TForm1& form = rig.Form();
    std::string reply = Crlf(tav::sim::TypeLine(tav::sim::Language::Polish));
    reply += Crlf(tav::sim::SiteLine(tav::sim::Language::Polish, "B017"));
    reply += Crlf(std::string(10000, '#') + std::string(tav::test::kRecordLine));
    reply += Crlf(tav::sim::EndOfDataLine(tav::sim::Language::Polish));
    rig.sim.Welder().SetRawReply("TZF", "0001\r\n");
    rig.sim.Welder().SetRawReply("TZC", reply);

    form.SBPobierzCaloscClick();

    QCOMPARE(rig.Platform().MessageTexts(), QStringList());
    QCOMPARE(form.RecordsParsed, 1);
    QCOMPARE(Cell(form, 0, 1), QStringLiteral("B017"));
    QCOMPARE(Cell(form, 1, 1), QStringLiteral("2008.03.01"));
    QCOMPARE(Cell(form, 16, 1), QStringLiteral(" +"));
    QVERIFY(form.DataModified);
}

// The cable pulled mid-download: the port error reaches the command
// wrapper, the wait window closes, the rows received stay.
void TestTableDownload::hangUpKeepsRows() {
    WelderRig rig;
    TForm1& form = rig.Form();
    rig.sim.Welder().SetHangUpAfterLine(9);

    form.RunCommand([&form] { form.SBPobierzCaloscClick(); });

    const QStringList shown = rig.Platform().MessageTexts();
    QCOMPARE(shown.size(), 1);
    QVERIFY2(shown[0].startsWith(QStringLiteral("Serial port error 10: ")), qPrintable(shown[0]));
    QVERIFY(form.RecordsParsed > 0);
    QCOMPARE(form.GridCells.RowCount(), form.RecordsParsed + 2);
    QVERIFY(Shown(form.Grid));
    QVERIFY(!form.DataModified);
    VerifyCommandOver(rig);
}

// A changed table on screen is offered for saving before the download
// replaces it; the download goes on after the save.
void TestTableDownload::changedTableSavedFirst() {
    WelderRig rig;
    TForm1& form = rig.Form();
    tav::test::FillRows(form.GridCells, 3);
    form.EnterTableView(true);
    form.DataModified = true;
    const QString saved = rig.fx.PathOf(QStringLiteral("before.htm"));
    rig.Platform().QueueAnswer(tav::Answer::Yes);
    rig.Platform().QueueSaveFile(saved, 1);

    form.SBPobierzCaloscClick();

    const auto& shown = rig.Platform().Messages();
    QVERIFY(!shown.empty());
    QCOMPARE(shown[0].text, QStringLiteral("Save data to a file?"));
    QCOMPARE(shown[0].buttons, unsigned{tav::kBtnYes | tav::kBtnNo});
    QFile file(saved);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QVERIFY(file.readAll().contains("R3"));
    QCOMPARE(form.RecordsParsed, 20);
    QCOMPARE(Cell(form, 1, 1).trimmed(),
             Q(rig.sim.Welder().Records().front().fields[tav::sim::kDate]));
    QVERIFY(form.DataModified);
}

QTEST_MAIN(TestTableDownload)
#include "tst_table_download.moc"
