// The period table download end to end against the simulated welder: the
// date-range dialog answered from inside its modal loop, the TZD frame for
// the chosen range, the refusals before anything is sent, no records in the
// period, and a welder falling silent.
#include <QAction>
#include <QDate>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTableView>
#include <QToolButton>
#include <QtTest>

#include "TableRig.h"
#include "platform/QtText.h"
#include "records/Form2.h"
#include "records/Form9.h"
#include "records/MonthCalendar.h"
#include "sim/Lines.h"

using tav::test::Cell;
using tav::test::kNotResponding;
using tav::test::SimHarness;
using tav::test::WelderRig;
using tav::test::WhenShown;

namespace {

bool Shown(QWidget* w) {
    return TForm1::IsShown(w);
}

// Runs the period download with the range chosen in the dialog and
// confirmed (or aborted).
void RunPeriod(WelderRig& rig, const QDate& from, const QDate& to, bool confirm = true) {
    TForm2* dialog = rig.fx.Windows().Form2.get();
    dialog->CCalendar1->setSelectedDate(from);
    dialog->CCalendar2->setSelectedDate(to);
    WhenShown(dialog, [dialog, confirm] {
        (confirm ? dialog->SpeedButton1 : dialog->SpeedButton2)->click();
    });
    rig.Form().SBPobierzOkresClick();
}

// The TZD frames the welder received.
std::vector<std::string> PeriodFrames(WelderRig& rig) {
    std::vector<std::string> found;
    for (const std::string& frame : rig.sim.Welder().Frames()) {
        if (frame.rfind("TZD", 0) == 0) {
            found.push_back(frame);
        }
    }
    return found;
}

}  // namespace

class TestPeriodDownload : public QObject {
    Q_OBJECT

  private slots:
    void periodOfRecords();
    void equalDates();
    void recordsWithoutSite();
    void refusedBeforeSending_data();
    void refusedBeforeSending();
    void welderNotAnswering_data();
    void welderNotAnswering();
    void noRecordsInPeriod();
    void welderFallsSilent();
};

// March 2009 of the generated memory: the frame carries both dates, the
// table holds exactly the records of the period.
void TestPeriodDownload::periodOfRecords() {
    WelderRig rig;
    TForm1& form = rig.Form();
    form.Edit2->setText(QStringLiteral("earlier period"));
    form.RecordsParsed = 50;  // from an earlier download

    RunPeriod(rig, QDate(2009, 3, 1), QDate(2009, 3, 31));

    QCOMPARE(PeriodFrames(rig), std::vector<std::string>{"TZD01032009-31032009XXXX\r\n"});
    QCOMPARE(rig.Platform().MessageTexts(), QStringList());
    const auto expected = tav::sim::RecordsInPeriod(rig.sim.Welder().Records(), 20090301, 20090331);
    QVERIFY(!expected.empty() && expected.size() < 20);
    QCOMPARE(form.GridCells.RowCount(), static_cast<int>(expected.size()) + 1);
    for (std::size_t i = 0; i < expected.size(); ++i) {
        const int row = static_cast<int>(i) + 1;
        QCOMPARE(Cell(form, 1, row), tav::FromCp1250(expected[i].fields[tav::sim::kDate]));
        QCOMPARE(Cell(form, 0, row), tav::FromCp1250(expected[i].siteId.substr(0, 4)));
    }
    const auto lang = tav::sim::Language::Polish;
    QCOMPARE(form.Edit2->text(),
             tav::FromCp1250(tav::sim::PeriodStartLine(lang, "2009.03.01") + " " +
                             tav::sim::PeriodEndLine(lang, "2009.03.31")));
    QVERIFY(form.DataModified);
    for (QWidget* w : std::initializer_list<QWidget*>{
             form.Grid, form.SpeedButton3, form.PrintSetup1, form.SpeedButton5, form.SpeedButton16,
             form.SpeedButton20, form.SpeedButton21}) {
        QVERIFY2(Shown(w), qPrintable(w->objectName()));
    }
    QVERIFY(TForm1::IsMenuEnabled(form.Edycja1));
    QVERIFY(!form.LongCommandRunning());
    QVERIFY(!rig.fx.Windows().Form9->isVisible());
    // The wait window counted this download's records, with no total.
    QCOMPARE(rig.fx.Windows().Form9->Label2->text(),
             QStringLiteral("Records received: %1").arg(expected.size()));
}

// A period of one day is sent and downloaded.
void TestPeriodDownload::equalDates() {
    WelderRig rig;
    const tav::sim::RecordStore store = rig.sim.Welder().Records();
    const QDate day = QDate::fromString(QString::fromStdString(store[5].fields[tav::sim::kDate]),
                                        QStringLiteral("yyyy.MM.dd"));
    RunPeriod(rig, day, day);

    const std::string ddmmyyyy = day.toString(QStringLiteral("ddMMyyyy")).toStdString();
    QCOMPARE(PeriodFrames(rig),
             std::vector<std::string>{"TZD" + ddmmyyyy + "-" + ddmmyyyy + "XXXX\r\n"});
    const std::uint32_t key = static_cast<std::uint32_t>(day.toString("yyyyMMdd").toUInt());
    QCOMPARE(rig.Form().GridCells.RowCount(),
             static_cast<int>(tav::sim::RecordsInPeriod(store, key, key).size()) + 1);
    QVERIFY(rig.Form().DataModified);
    QVERIFY(rig.Platform().Messages().empty());
}

// Records sent before any site line have no site ID, whatever an earlier
// download left; the missing site line is reported afterwards.
void TestPeriodDownload::recordsWithoutSite() {
    SimHarness::Options options;
    tav::sim::RecordStore store = tav::sim::GenerateRecords({});
    for (auto& record : store) {
        record.siteId.clear();
    }
    options.records = store;
    WelderRig rig(options, 0);
    TForm1& form = rig.Form();
    form.CurrentSiteId = "OLD1";

    RunPeriod(rig, QDate(2009, 1, 1), QDate(2009, 12, 31));

    QCOMPARE(rig.Platform().MessageTexts(),
             QStringList{"Nie udało się pobrać danych lokalizacjiSpróbuj ponownie!"});
    QCOMPARE(form.GridCells.RowCount(), 21);
    for (int row = 1; row <= 20; ++row) {
        QCOMPARE(Cell(form, 0, row), QString());
    }
    QVERIFY(form.DataModified);
}

void TestPeriodDownload::refusedBeforeSending_data() {
    QTest::addColumn<QDate>("from");
    QTest::addColumn<QDate>("to");
    QTest::addColumn<bool>("confirm");
    QTest::addColumn<QString>("message");
    QTest::newRow("from after to")
        << QDate(2009, 3, 31) << QDate(2009, 3, 1) << true
        << "'From date' is greater than 'To date'. Correct From/To date values and try again!";
    QTest::newRow("three-digit year")
        << QDate(999, 3, 1) << QDate(2009, 3, 1) << true << "Invalid date!";
    QTest::newRow("aborted") << QDate(2009, 3, 1) << QDate(2009, 3, 31) << false << QString();
}

// Nothing but the count query reaches the welder; the window is untouched.
void TestPeriodDownload::refusedBeforeSending() {
    QFETCH(QDate, from);
    QFETCH(QDate, to);
    QFETCH(bool, confirm);
    QFETCH(QString, message);
    WelderRig rig;
    TForm1& form = rig.Form();

    RunPeriod(rig, from, to, confirm);

    QVERIFY(PeriodFrames(rig).empty());
    QCOMPARE(rig.sim.Welder().Frames().size(), std::size_t{1});  // the count query
    QCOMPARE(rig.Platform().MessageTexts(),
             message.isEmpty() ? QStringList() : QStringList{message});
    QVERIFY(!Shown(form.Grid));
    QVERIFY(!form.DataModified);
    QCOMPARE(form.windowTitle(), QStringLiteral("Tavelin"));
}

void TestPeriodDownload::welderNotAnswering_data() {
    QTest::addColumn<QString>("situation");
    QTest::newRow("silent welder") << "silent";
    QTest::newRow("not connected") << "disconnected";
    QTest::newRow("connection lost in the dialog") << "lost";
}

// Without a count the dialog is not shown; a connection lost while the
// dialog was open ends the command silently.
void TestPeriodDownload::welderNotAnswering() {
    QFETCH(QString, situation);
    WelderRig rig;
    TForm1& form = rig.Form();
    TForm2* dialog = rig.fx.Windows().Form2.get();
    bool dialogShown = false;
    if (situation == "silent") {
        rig.sim.Welder().SetSilent(true);
    } else if (situation == "disconnected") {
        form.Connected = false;
    }
    WhenShown(dialog, [&] {
        dialogShown = true;
        if (situation == "lost") {
            form.Connected = false;
        }
        dialog->SpeedButton1->click();
    });

    form.SBPobierzOkresClick();

    QVERIFY(PeriodFrames(rig).empty());
    if (situation == "lost") {
        QVERIFY(dialogShown);
        QVERIFY(rig.Platform().Messages().empty());
    } else {
        QVERIFY(!dialogShown);
        QCOMPARE(rig.Platform().MessageTexts(), QStringList{kNotResponding});
        // The dialog was never shown: its answer is not needed.
        qDeleteAll(dialog->findChildren<QTimer*>(QString(), Qt::FindDirectChildrenOnly));
    }
}

// No records in the period: the message, and neither the table nor its
// report and editing tools remain.
void TestPeriodDownload::noRecordsInPeriod() {
    WelderRig rig;
    TForm1& form = rig.Form();
    form.EnterTableView(true);

    RunPeriod(rig, QDate(2001, 1, 1), QDate(2001, 1, 31));

    QCOMPARE(PeriodFrames(rig).size(), std::size_t{1});
    QCOMPARE(rig.Platform().MessageTexts(),
             QStringList{"No fusion data for the given time period!"});
    for (QWidget* w : std::initializer_list<QWidget*>{
             form.Grid, form.PasekObjasnieniaOceny, form.SpeedButton5, form.PrintSetup1,
             form.SpeedButton3, form.SpeedButton15, form.SpeedButton16, form.SpeedButton21,
             form.SpeedButton20}) {
        QVERIFY2(!Shown(w), qPrintable(w->objectName()));
    }
    for (QAction* a : {form.N23, form.Podgldraportuzgrzewania1, form.Trybrcznejedycjitabeli1,
                       form.Usuzaz1, form.Zastpnazwlokalizacji1}) {
        QVERIFY2(!a->isEnabled(), qPrintable(a->objectName()));
    }
    QCOMPARE(form.Edit2->text(), QStringLiteral(" "));
    QVERIFY(!form.DataModified);
    QVERIFY(!rig.fx.Windows().Form9->isVisible());
    QVERIFY(!form.LongCommandRunning());
}

// A silent welder still ends in the changed table with its print tools;
// the period field keeps the previous text as no closing line came.
void TestPeriodDownload::welderFallsSilent() {
    WelderRig rig;
    TForm1& form = rig.Form();
    form.Edit2->setText(QStringLiteral("earlier period"));
    rig.sim.Welder().SetStall(7, 1800);

    RunPeriod(rig, QDate(2009, 1, 1), QDate(2009, 12, 31));

    QCOMPARE(rig.Platform().MessageTexts(), QStringList{kNotResponding});
    QVERIFY(form.GridCells.RowCount() > 2);
    QVERIFY(form.GridCells.RowCount() < 21);
    QVERIFY(form.DataModified);
    QVERIFY(Shown(form.PrintSetup1) && Shown(form.SpeedButton5));
    QVERIFY(!Shown(form.SpeedButton19));
    QVERIFY(TForm1::IsMenuEnabled(form.Edycja1));
    QCOMPARE(form.Edit2->text(), QStringLiteral("earlier period"));
    QVERIFY(!rig.fx.Windows().Form9->isVisible());
}

QTEST_MAIN(TestPeriodDownload)
#include "tst_period_download.moc"
