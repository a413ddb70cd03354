// The unsaved-data question, clear screen and closing on the real main
// window: every answer of the question, the two ways of saving, the view
// left behind, the port drained, and config.cfg written only when nothing
// unsaved was shown.
#include <QAction>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QTableView>
#include <QTest>
#include <QToolButton>

#include "../link/PtyLine.h"
#include "ReportWindow.h"
#include "gui/WindowFixture.h"
#include "shell/QtTexts.h"
#include "shell/Texts.h"

using tav::Answer;
using tav::test::ReadBytes;
using tav::test::WindowFixture;
using tav::text::Id;

namespace {

constexpr unsigned kThreeButtons = tav::kBtnYes | tav::kBtnNo | tav::kBtnCancel;

// The fixture's table, unsaved, with a caption and header fields to lose.
void ShowUnsavedTable(TForm1& form) {
    tav::test::ShowFixtureTable(form, 1);
    form.setWindowTitle(QStringLiteral("before"));
}

// The window as clear screen leaves it: every view and its tools hidden and
// the document's fields emptied.
void VerifyEmptyView(TForm1& form) {
    for (QWidget* hidden : std::initializer_list<QWidget*>{
             form.Grid, form.Pulpit, form.ToolBar2, form.PasekObjasnieniaOceny, form.SpeedButton3,
             form.PrintSetup1, form.SpeedButton5, form.SpeedButton15, form.SpeedButton16,
             form.SpeedButton17, form.SpeedButton21}) {
        QVERIFY2(!TForm1::IsShown(hidden), qPrintable(hidden->objectName()));
    }
    QVERIFY(!form.N23->isEnabled());
    QVERIFY(!form.Podgldraportuzgrzewania1->isEnabled());
    QVERIFY(!form.Usuzaz1->isEnabled());
    QVERIFY(!TForm1::IsMenuEnabled(form.Edycja1));
    QCOMPARE(form.windowTitle(), QString());
    QCOMPARE(form.StatusPanelText(1), QString());
    QCOMPARE(form.Edit3->text(), QString());
    QCOMPARE(form.Edit2->text(), QString());
    QVERIFY(form.Pulpit->toPlainText().isEmpty());
}

}  // namespace

class TestClosing : public QObject {
    Q_OBJECT

  private slots:
    void clearScreenWithUnsavedTable_data();
    void clearScreenWithUnsavedTable();
    void clearScreenAsksOnlyAboutShownChanges_data();
    void clearScreenAsksOnlyAboutShownChanges();
    void clearScreenDrainsOpenPort();
    void questionWithTwoButtons_data();
    void questionWithTwoButtons();
    void closing_data();
    void closing();
    void exitClosesTheWindow();
};

void TestClosing::clearScreenWithUnsavedTable_data() {
    QTest::addColumn<int>("answer");
    QTest::addColumn<QString>("saveAs");  // "" no dialog, "-" cancelled, else a name
    QTest::addColumn<bool>("cleared");
    QTest::newRow("Cancel") << int(Answer::Cancel) << "" << false;
    QTest::newRow("box closed") << int(Answer::None) << "" << false;
    QTest::newRow("Yes, dialog cancelled") << int(Answer::Yes) << "-" << false;
    QTest::newRow("Yes, saved") << int(Answer::Yes) << "saved.htm" << true;
    QTest::newRow("No") << int(Answer::No) << "" << true;
}

void TestClosing::clearScreenWithUnsavedTable() {
    QFETCH(int, answer);
    QFETCH(QString, saveAs);
    QFETCH(bool, cleared);
    WindowFixture fx;
    TForm1& form = fx.Form();
    ShowUnsavedTable(form);
    fx.Platform().QueueAnswer(static_cast<Answer>(answer));
    if (saveAs == "-") {
        fx.Platform().QueueSaveCancel();
    } else if (!saveAs.isEmpty()) {
        fx.Platform().QueueSaveFile(fx.PathOf(saveAs));
    }

    form.SpeedButton1Click();

    QCOMPARE(fx.Platform().MessageTexts(), QStringList{"Save data to the file?"});
    QCOMPARE(fx.Platform().Messages()[0].kind, tav::MsgKind::Confirmation);
    QCOMPARE(fx.Platform().Messages()[0].buttons, kThreeButtons);
    QCOMPARE(fx.Platform().UnusedAnswers(), 0);
    if (!saveAs.isEmpty()) {
        // Saved in place: the table's kind of file is offered first.
        QCOMPARE(fx.Platform().FileDialogs().back().filterIndex, 1);
    }
    if (saveAs.size() > 1) {
        TAV_COMPARE_BYTES(ReadBytes(fx.PathOf(saveAs)),
                          ReadBytes(tav::test::DataPath("report_1.htm")));
    }
    if (cleared) {
        VerifyEmptyView(form);
    } else {
        QVERIFY(TForm1::IsShown(form.Grid));
        QVERIFY(TForm1::IsShown(form.ToolBar2));
        QCOMPARE(form.windowTitle(), QStringLiteral("before"));
        QVERIFY(!form.Edit3->text().isEmpty());
        QVERIFY(!form.StatusPanelText(1).isEmpty());
    }
    // Neither clearing nor saving in place marks the data as saved, and the
    // rows stay behind the scenes.
    QVERIFY(form.DataModified);
    QCOMPARE(form.GridCells.RowCount(), 5);
}

void TestClosing::clearScreenAsksOnlyAboutShownChanges_data() {
    QTest::addColumn<QString>("view");
    QTest::addColumn<bool>("modified");
    QTest::newRow("empty view, changed") << "empty" << true;
    QTest::newRow("empty text view, changed") << "emptytext" << true;
    QTest::newRow("text, saved") << "text" << false;
    QTest::newRow("table, saved") << "table" << false;
}

void TestClosing::clearScreenAsksOnlyAboutShownChanges() {
    QFETCH(QString, view);
    QFETCH(bool, modified);
    WindowFixture fx;
    TForm1& form = fx.Form();
    if (view == "table") {
        ShowUnsavedTable(form);
    } else if (view == "text") {
        tav::test::ShowText(form, {"a", "b"});
    } else if (view == "emptytext") {
        tav::test::ShowText(form, {});
    }
    form.DataModified = modified;

    form.SpeedButton1Click();

    QVERIFY(fx.Platform().Messages().empty());
    VerifyEmptyView(form);
    QCOMPARE(form.DataModified, modified);
}

// With the port open, clear screen throws away what the welder has sent;
// the port stays open and the connection state as it was.
void TestClosing::clearScreenDrainsOpenPort() {
    tav::test::PtyLine line;
    QVERIFY(line.published);
    WindowFixture fx;
    TForm1& form = fx.Form();
    tav::test::OpenCom3(form.Port);
    form.Connected = true;
    QVERIFY(line.Send(std::string(300, 'x')));
    QVERIFY(tav::test::WaitQueued(form.Port, 300));

    form.SpeedButton1Click();

    QCOMPARE(form.Port.BytesWaiting(), 0U);
    QVERIFY(form.Port.IsOpen());
    QVERIFY(form.Connected);
    form.Port.Close();
}

void TestClosing::questionWithTwoButtons_data() {
    QTest::addColumn<int>("answer");
    QTest::addColumn<bool>("saveDialog");
    QTest::newRow("Yes") << int(Answer::Yes) << true;
    QTest::newRow("box closed counts as Yes") << int(Answer::None) << true;
    QTest::newRow("No") << int(Answer::No) << false;
}

// Saving through Save as: Yes runs the Save as command, which marks the
// data saved and names the file in the caption; the caller goes on in any
// case.
void TestClosing::questionWithTwoButtons() {
    QFETCH(int, answer);
    QFETCH(bool, saveDialog);
    WindowFixture fx(WindowFixture::MakeConfig(0, ""));
    TForm1& form = fx.Form();
    ShowUnsavedTable(form);
    fx.Platform().QueueAnswer(static_cast<Answer>(answer));
    const QString path = fx.PathOf("saved.htm");
    if (saveDialog) {
        fx.Platform().QueueSaveFile(path);
    }

    QVERIFY(form.AskSaveData(QStringLiteral("polski"), QStringLiteral("english"),
                             tav::kBtnYes | tav::kBtnNo, TForm1::SaveStyle::ThroughSaveAs));

    QCOMPARE(fx.Platform().MessageTexts(), QStringList{"polski"});
    QCOMPARE(fx.Platform().Messages()[0].buttons, unsigned{tav::kBtnYes | tav::kBtnNo});
    QCOMPARE(fx.Platform().UnusedAnswers(), 0);
    QCOMPARE(QFile::exists(path), saveDialog);
    QCOMPARE(form.DataModified, !saveDialog);
    QCOMPARE(form.windowTitle(), saveDialog ? path : QStringLiteral("before"));
}

void TestClosing::closing_data() {
    QTest::addColumn<QString>("state");  // "unsaved", "saved", "cleared"
    QTest::addColumn<int>("answer");
    QTest::addColumn<QString>("saveAs");  // "" no dialog, "-" cancelled, else a name
    QTest::addColumn<bool>("closes");
    QTest::addColumn<bool>("configWritten");
    QTest::newRow("nothing unsaved") << "saved" << 0 << "" << true << true;
    QTest::newRow("unsaved, Cancel") << "unsaved" << int(Answer::Cancel) << "" << false << false;
    QTest::newRow("unsaved, Yes, dialog cancelled")
        << "unsaved" << int(Answer::Yes) << "-" << false << false;
    QTest::newRow("unsaved, Yes, saved")
        << "unsaved" << int(Answer::Yes) << "saved.txt" << true << false;
    QTest::newRow("unsaved, No") << "unsaved" << int(Answer::No) << "" << true << false;
    // After clear screen nothing is shown, so nothing is asked.
    QTest::newRow("unsaved download cleared") << "cleared" << 0 << "" << true << true;
}

void TestClosing::closing() {
    QFETCH(QString, state);
    QFETCH(int, answer);
    QFETCH(QString, saveAs);
    QFETCH(bool, closes);
    QFETCH(bool, configWritten);
    WindowFixture fx;
    TForm1& form = fx.Form();
    ShowUnsavedTable(form);
    if (state == "saved") {
        form.DataModified = false;
    } else if (state == "cleared") {
        fx.Platform().QueueAnswer(Answer::No);
        form.SpeedButton1Click();
        QVERIFY(form.DataModified);
        fx.Platform().ClearMessages();
    }
    const bool asked = state == "unsaved";
    if (asked) {
        fx.Platform().QueueAnswer(static_cast<Answer>(answer));
    }
    if (saveAs == "-") {
        fx.Platform().QueueSaveCancel();
    } else if (!saveAs.isEmpty()) {
        fx.Platform().QueueSaveFile(fx.PathOf(saveAs));
    }

    QCOMPARE(form.FormCloseQuery(), closes);

    QCOMPARE(fx.Platform().MessageTexts(),
             asked ? QStringList{"Save data to the file?"} : QStringList{});
    if (asked) {
        QCOMPARE(fx.Platform().Messages()[0].buttons, kThreeButtons);
    }
    QCOMPARE(fx.Platform().UnusedAnswers(), 0);
    QCOMPARE(fx.ReadConfig().size(), configWritten ? 123 : 0);
    if (saveAs.size() > 1) {
        TAV_COMPARE_BYTES(ReadBytes(fx.PathOf(saveAs)),
                          ReadBytes(tav::test::DataPath("report_1.txt")));
    }
}

// Exit closes the main window through the closing check.
void TestClosing::exitClosesTheWindow() {
    WindowFixture fx;
    TForm1& form = fx.Form();
    ShowUnsavedTable(form);
    fx.Show();

    fx.Platform().QueueAnswer(Answer::Cancel);
    form.N51Click();
    QVERIFY(form.isVisible());
    QCOMPARE(fx.ReadConfig().size(), 0);

    form.DataModified = false;
    form.N51Click();
    QVERIFY(!form.isVisible());
    QCOMPARE(fx.ReadConfig().size(), 123);
}

QTEST_MAIN(TestClosing)
#include "tst_Closing.moc"
