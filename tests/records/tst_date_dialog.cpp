// The date-range dialog: captions per language, the selectors and labels
// taken from the calendars, refused dates, and what confirm, abort and the
// other ways of closing hand back.
#include <QComboBox>
#include <QDate>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

#include "TableRig.h"
#include "records/Form2.h"
#include "records/MonthCalendar.h"

using tav::test::WhenShown;
using tav::test::WindowFixture;

namespace {

struct DialogRig {
    explicit DialogRig(std::uint8_t language = 1) : fx(WindowFixture::MakeConfig(language, "")) {}
    TForm2& Dialog() { return *fx.Windows().Form2; }
    QComboBox* Combo(const char* name) { return Dialog().findChild<QComboBox*>(name); }
    QStringList Shown() { return fx.Platform().MessageTexts(); }
    WindowFixture fx;
};

}  // namespace

class TestDateDialog : public QObject {
    Q_OBJECT

  private slots:
    void captions_data();
    void captions();
    void showingTakesCalendars();
    void selectors_data();
    void selectors();
    void yearTypedDigitByDigit();
    void confirmAndAbort();
};

void TestDateDialog::captions_data() {
    QTest::addColumn<int>("language");
    QTest::addColumn<QStringList>("texts");  // GroupBox1, GroupBox2, buttons, month, year
    QTest::newRow("Polish") << 0 << QStringList{"Od daty", "Do daty", "Pobierz dane",
                                                "Anuluj",  "Miesiąc", "Rok"};
    QTest::newRow("English") << 1 << QStringList{"From date", "To date", "Download data",
                                                 "Abort",     "Month",   "Year"};
    QTest::newRow("other value") << 5 << QStringList{"Od daty", "Do daty", "Pobierz dane",
                                                     "Anuluj",  "Miesiąc", "Rok"};
}

void TestDateDialog::captions() {
    QFETCH(int, language);
    QFETCH(QStringList, texts);
    DialogRig rig;
    rig.fx.Form().InterfaceLanguage = static_cast<std::uint8_t>(language);
    TForm2& d = rig.Dialog();
    d.FormShow();
    QCOMPARE(d.GroupBox1->title(), texts[0]);
    QCOMPARE(d.GroupBox2->title(), texts[1]);
    QCOMPARE(d.SpeedButton1->text(), texts[2]);
    QCOMPARE(d.SpeedButton2->text(), texts[3]);
    QCOMPARE(d.Label3->text(), texts[4]);
    QCOMPARE(d.Label5->text(), texts[4]);
    QCOMPARE(d.Label4->text(), texts[5]);
    QCOMPARE(d.Label6->text(), texts[5]);
    QCOMPARE(d.windowTitle(), QString());
}

// The selectors show the calendars' month and year, the labels their dates;
// the end selectors carry one empty item more.
void TestDateDialog::showingTakesCalendars() {
    DialogRig rig;
    TForm2& d = rig.Dialog();
    QCOMPARE(d.ComboBox1->count(), 12);
    QCOMPARE(d.ComboBox2->count(), 20);
    QCOMPARE(d.ComboBox3->count(), 13);
    QCOMPARE(d.ComboBox4->count(), 21);
    QCOMPARE(d.ComboBox2->itemText(19), QStringLiteral("2019"));
    QCOMPARE(d.ComboBox4->itemText(20), QString());

    d.CCalendar1->setSelectedDate(QDate(2008, 3, 5));
    d.CCalendar2->setSelectedDate(QDate(2011, 11, 30));
    d.FormShow();
    QCOMPARE(d.ComboBox1->currentText(), QStringLiteral("3"));
    QCOMPARE(d.ComboBox2->currentText(), QStringLiteral("2008"));
    QCOMPARE(d.ComboBox3->currentText(), QStringLiteral("11"));
    QCOMPARE(d.ComboBox4->currentText(), QStringLiteral("2011"));
    QCOMPARE(d.Label1->text(), QStringLiteral("2008-03-05"));
    QCOMPARE(d.Label2->text(), QStringLiteral("2011-11-30"));
    QVERIFY(rig.Shown().isEmpty());

    // A day picked on the calendar shows at once; the selectors stay.
    d.CCalendar1->setSelectedDate(QDate(2008, 4, 9));
    QCOMPARE(d.Label1->text(), QStringLiteral("2008-04-09"));
    QCOMPARE(d.ComboBox1->currentText(), QStringLiteral("3"));
}

void TestDateDialog::selectors_data() {
    QTest::addColumn<QString>("combo");
    QTest::addColumn<QDate>("start");
    QTest::addColumn<QString>("text");   // "<empty item>" chooses the empty item
    QTest::addColumn<QString>("label");  // the date shown afterwards
    QTest::addColumn<bool>("refused");
    const QDate d1(2008, 1, 31);
    QTest::newRow("start month") << "ComboBox1" << QDate(2008, 1, 15) << "12"
                                 << "2008-12-15" << false;
    QTest::newRow("start year") << "ComboBox2" << QDate(2008, 1, 15) << "2003"
                                << "2003-01-15" << false;
    QTest::newRow("end month") << "ComboBox3" << QDate(2008, 1, 15) << "7"
                               << "2008-07-15" << false;
    QTest::newRow("end year") << "ComboBox4" << QDate(2008, 1, 15) << "2010"
                              << "2010-01-15" << false;
    QTest::newRow("not a number") << "ComboBox1" << d1 << "abc"
                                  << "2008-01-31" << true;
    QTest::newRow("month 13") << "ComboBox3" << d1 << "13"
                              << "2008-01-31" << true;
    QTest::newRow("31st in April") << "ComboBox1" << d1 << "4"
                                   << "2008-01-31" << true;
    QTest::newRow("29 February, common year") << "ComboBox4" << QDate(2008, 2, 29) << "2009"
                                              << "2008-02-29" << true;
    QTest::newRow("empty month item") << "ComboBox3" << d1 << "<empty item>"
                                      << "2008-01-31" << true;
    QTest::newRow("empty year item") << "ComboBox4" << d1 << "<empty item>"
                                     << "2008-01-31" << true;
    QTest::newRow("year 0") << "ComboBox2" << d1 << "0"
                            << "2008-01-31" << true;
}

void TestDateDialog::selectors() {
    QFETCH(QString, combo);
    QFETCH(QDate, start);
    QFETCH(QString, text);
    QFETCH(QString, label);
    QFETCH(bool, refused);
    DialogRig rig(0);
    TForm2& d = rig.Dialog();
    const bool first = combo == "ComboBox1" || combo == "ComboBox2";
    tav::MonthCalendar* calendar = first ? d.CCalendar1 : d.CCalendar2;
    QLabel* shown = first ? d.Label1 : d.Label2;
    calendar->setSelectedDate(start);
    d.FormShow();
    QComboBox* box = rig.Combo(combo.toLatin1().constData());
    if (text == "<empty item>") {
        box->setCurrentIndex(box->count() - 1);
    } else {
        box->setEditText(text);
    }
    QCOMPARE(shown->text(), label);
    if (refused) {
        QCOMPARE(rig.Shown(), QStringList{"Niepoprawna data!"});
        QCOMPARE(rig.fx.Platform().Messages()[0].type, tav::test::ShownMessage::Type::SimpleBox);
    } else {
        QVERIFY(rig.Shown().isEmpty());
    }
}

// Every change of the typed text applies: the year passes through one, two
// and three digits, giving date strings shorter than 10 characters.
void TestDateDialog::yearTypedDigitByDigit() {
    DialogRig rig;
    TForm2& d = rig.Dialog();
    d.CCalendar2->setSelectedDate(QDate(2008, 3, 5));
    d.FormShow();
    QStringList seen;
    connect(d.CCalendar2, &tav::MonthCalendar::Changed, this,
            [&seen, &d] { seen << d.Label2->text(); });
    d.ComboBox4->lineEdit()->selectAll();
    QTest::keyClicks(d.ComboBox4->lineEdit(), QStringLiteral("2010"));
    QCOMPARE(seen, (QStringList{"2-03-05", "20-03-05", "201-03-05", "2010-03-05"}));
    QVERIFY(rig.Shown().isEmpty());
}

// Confirm hands back the two labels; Abort, Esc and the title bar's close
// button all empty both fields, whatever they held before.
void TestDateDialog::confirmAndAbort() {
    DialogRig rig;
    TForm1& form = rig.fx.Form();
    TForm2& d = rig.Dialog();

    // Untouched on the first showing: today, twice.
    WhenShown(&d, [&d] { d.SpeedButton1->click(); });
    QCOMPARE(d.exec(), int(QDialog::Accepted));
    const QString today = QDate::currentDate().toString(QStringLiteral("yyyy-MM-dd"));
    QCOMPARE(QString::fromStdString(form.PeriodFrom), today);
    QCOMPARE(QString::fromStdString(form.PeriodTo), today);

    d.CCalendar1->setSelectedDate(QDate(2008, 3, 1));
    d.CCalendar2->setSelectedDate(QDate(2008, 3, 31));
    WhenShown(&d, [&d] { d.SpeedButton1->click(); });
    d.exec();
    QCOMPARE(form.PeriodFrom, std::string("2008-03-01"));
    QCOMPARE(form.PeriodTo, std::string("2008-03-31"));

    const std::function<void()> closers[] = {
        [&d] { d.SpeedButton2->click(); },
        [&d] { QTest::keyClick(&d, Qt::Key_Escape); },
        [&d] { d.close(); },
    };
    for (const auto& close : closers) {
        form.PeriodFrom = "2008-03-01";
        form.PeriodTo = "2008-03-31";
        WhenShown(&d, close);
        QCOMPARE(d.exec(), int(QDialog::Rejected));
        QVERIFY(form.PeriodFrom.empty());
        QVERIFY(form.PeriodTo.empty());
    }
    // The calendars keep the last choice.
    QCOMPARE(d.Label1->text(), QStringLiteral("2008-03-01"));
    QVERIFY(rig.Shown().isEmpty());
}

QTEST_MAIN(TestDateDialog)
#include "tst_date_dialog.moc"
