#include "records/Form2.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include "platform/QtText.h"
#include "records/MonthCalendar.h"
#include "shell/Form1.h"
#include "shell/QtTexts.h"

using tav::text::Id;

namespace {

QComboBox* NewSelector(QWidget* parent, const char* name, int first, int last, bool emptyItem) {
    auto* combo = new QComboBox(parent);
    combo->setObjectName(QString::fromLatin1(name));
    combo->setEditable(true);
    // Typed text is applied as it is typed, never added to the list.
    combo->setInsertPolicy(QComboBox::NoInsert);
    for (int value = first; value <= last; ++value) {
        combo->addItem(QString::number(value));
    }
    if (emptyItem) {
        combo->addItem(QString());
    }
    return combo;
}

QLabel* NewLabel(QWidget* parent, const char* name) {
    auto* label = new QLabel(parent);
    label->setObjectName(QString::fromLatin1(name));
    return label;
}

// One half of the dialog: the calendar on the left, the date string and the
// month and year selectors on the right.
QGroupBox* NewHalf(QWidget* parent, const char* name, tav::MonthCalendar*& calendar,
                   const char* calendarName, QLabel*& dateLabel, const char* dateName,
                   QLabel*& monthLabel, const char* monthName, QComboBox*& month,
                   const char* monthComboName, QLabel*& yearLabel, const char* yearName,
                   QComboBox*& year, const char* yearComboName, bool emptyItems) {
    auto* box = new QGroupBox(parent);
    box->setObjectName(QString::fromLatin1(name));
    auto* row = new QHBoxLayout(box);
    calendar = new tav::MonthCalendar(box);
    calendar->setObjectName(QString::fromLatin1(calendarName));
    row->addWidget(calendar, 1);
    auto* side = new QGridLayout();
    dateLabel = NewLabel(box, dateName);
    QFont bold = dateLabel->font();
    bold.setBold(true);
    dateLabel->setFont(bold);
    monthLabel = NewLabel(box, monthName);
    month = NewSelector(box, monthComboName, 1, 12, emptyItems);
    yearLabel = NewLabel(box, yearName);
    year = NewSelector(box, yearComboName, 2000, 2019, emptyItems);
    side->addWidget(dateLabel, 0, 0, 1, 2);
    side->addWidget(monthLabel, 1, 0);
    side->addWidget(month, 1, 1);
    side->addWidget(yearLabel, 2, 0);
    side->addWidget(year, 2, 1);
    side->setRowStretch(3, 1);
    row->addLayout(side);
    return box;
}

}  // namespace

TForm2::TForm2(TForm1& form, QWidget* parent) : QDialog(parent), form_(form) {
    setObjectName(QStringLiteral("Form2"));
    setWindowTitle(QString());
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint);
    setFixedSize(491, 397);

    auto* column = new QVBoxLayout(this);
    GroupBox1 =
        NewHalf(this, "GroupBox1", CCalendar1, "CCalendar1", Label1, "Label1", Label3, "Label3",
                ComboBox1, "ComboBox1", Label4, "Label4", ComboBox2, "ComboBox2", false);
    GroupBox2 =
        NewHalf(this, "GroupBox2", CCalendar2, "CCalendar2", Label2, "Label2", Label5, "Label5",
                ComboBox3, "ComboBox3", Label6, "Label6", ComboBox4, "ComboBox4", true);
    column->addWidget(GroupBox1);
    column->addWidget(GroupBox2);

    auto* buttons = new QHBoxLayout();
    SpeedButton1 = new QPushButton(this);
    SpeedButton1->setObjectName(QStringLiteral("SpeedButton1"));
    SpeedButton2 = new QPushButton(this);
    SpeedButton2->setObjectName(QStringLiteral("SpeedButton2"));
    // Enter in a selector must not confirm the dialog.
    for (QPushButton* b : {SpeedButton1, SpeedButton2}) {
        b->setAutoDefault(false);
        b->setDefault(false);
    }
    buttons->addStretch(1);
    buttons->addWidget(SpeedButton1);
    buttons->addWidget(SpeedButton2);
    column->addLayout(buttons);

    connect(ComboBox1, &QComboBox::currentTextChanged, this, [this] { ComboBox1Change(); });
    connect(ComboBox2, &QComboBox::currentTextChanged, this, [this] { ComboBox2Change(); });
    connect(ComboBox3, &QComboBox::currentTextChanged, this, [this] { ComboBox3Change(); });
    connect(ComboBox4, &QComboBox::currentTextChanged, this, [this] { ComboBox4Change(); });
    connect(CCalendar1, &tav::MonthCalendar::Changed, this, [this] { CCalendar1Change(); });
    connect(CCalendar2, &tav::MonthCalendar::Changed, this, [this] { CCalendar2Change(); });
    connect(SpeedButton1, &QPushButton::clicked, this, [this] { SpeedButton1Click(); });
    connect(SpeedButton2, &QPushButton::clicked, this, [this] { SpeedButton2Click(); });
}

void TForm2::showEvent(QShowEvent* event) {
    FormShow();
    QDialog::showEvent(event);
}

void TForm2::FormShow() {
    const std::uint8_t language = form_.InterfaceLanguage == 1 ? 1 : 0;
    GroupBox1->setTitle(tav::text::Q(Id::DateFrom, language));
    GroupBox2->setTitle(tav::text::Q(Id::DateTo, language));
    SpeedButton1->setText(tav::text::Q(Id::DateDownload, language));
    SpeedButton2->setText(tav::text::Q(Id::DateAbort, language));
    Label3->setText(tav::text::Q(Id::DateMonth, language));
    Label5->setText(tav::text::Q(Id::DateMonth, language));
    Label4->setText(tav::text::Q(Id::DateYear, language));
    Label6->setText(tav::text::Q(Id::DateYear, language));

    // Showing the calendars' values is no change of the user's.
    const auto show = [](QComboBox* combo, int value) {
        const QSignalBlocker block(combo);
        combo->setCurrentText(QString::number(value));
    };
    show(ComboBox1, CCalendar1->Month());
    show(ComboBox2, CCalendar1->Year());
    show(ComboBox3, CCalendar2->Month());
    show(ComboBox4, CCalendar2->Year());

    CCalendar1Change();
    CCalendar2Change();
}

void TForm2::ApplySelector(QComboBox* combo, tav::MonthCalendar* calendar, bool month) {
    bool number = false;
    const int value = combo->currentText().toInt(&number, 10);
    const bool taken = number && (month ? calendar->SetMonth(value) : calendar->SetYear(value));
    if (!taken) {
        ShowInvalidDate();
    }
}

void TForm2::ShowInvalidDate() {
    form_.Platform().MessageBox(tav::text::Q(Id::InvalidDate, form_.InterfaceLanguage == 1 ? 1 : 0),
                                tav::text::Q(Id::AppTitle, 0), 0);
}

void TForm2::ComboBox1Change() {
    ApplySelector(ComboBox1, CCalendar1, true);
}
void TForm2::ComboBox2Change() {
    ApplySelector(ComboBox2, CCalendar1, false);
}
void TForm2::ComboBox3Change() {
    ApplySelector(ComboBox3, CCalendar2, true);
}
void TForm2::ComboBox4Change() {
    ApplySelector(ComboBox4, CCalendar2, false);
}

void TForm2::CCalendar1Change() {
    Label1->setText(CCalendar1->DateString());
}
void TForm2::CCalendar2Change() {
    Label2->setText(CCalendar2->DateString());
}

void TForm2::SpeedButton1Click() {
    form_.PeriodFrom = tav::ToCp1250(Label1->text());
    form_.PeriodTo = tav::ToCp1250(Label2->text());
    accept();
}

void TForm2::SpeedButton2Click() {
    reject();
}

void TForm2::reject() {
    form_.PeriodFrom.clear();
    form_.PeriodTo.clear();
    QDialog::reject();
}
