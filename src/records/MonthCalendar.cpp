#include "records/MonthCalendar.h"

namespace tav {
namespace {

constexpr int kFirstYear = 1;
constexpr int kLastYear = 9999;

QString TwoDigits(int value) {
    return value < 10 ? QStringLiteral("0") + QString::number(value) : QString::number(value);
}

}  // namespace

MonthCalendar::MonthCalendar(QWidget* parent) : QCalendarWidget(parent) {
    setMinimumDate(QDate(kFirstYear, 1, 1));
    setMaximumDate(QDate(kLastYear, 12, 31));
    // Month and year are chosen with the dialog's own selectors.
    setNavigationBarVisible(false);
    setVerticalHeaderFormat(QCalendarWidget::NoVerticalHeader);
    setSelectedDate(QDate::currentDate());
    connect(this, &QCalendarWidget::selectionChanged, this, &MonthCalendar::Changed);
}

int MonthCalendar::Year() const {
    return selectedDate().year();
}
int MonthCalendar::Month() const {
    return selectedDate().month();
}
int MonthCalendar::Day() const {
    return selectedDate().day();
}

bool MonthCalendar::SetYear(int year) {
    return SetDate(year, Month(), Day());
}
bool MonthCalendar::SetMonth(int month) {
    return SetDate(Year(), month, Day());
}

bool MonthCalendar::SetDate(int year, int month, int day) {
    if (year < kFirstYear || year > kLastYear || !QDate::isValid(year, month, day)) {
        return false;
    }
    const QDate date(year, month, day);
    setSelectedDate(date);
    setCurrentPage(year, month);
    return true;
}

QString MonthCalendar::DateString() const {
    const QDate date = selectedDate();
    return QString::number(date.year()) + QLatin1Char('-') + TwoDigits(date.month()) +
           QLatin1Char('-') + TwoDigits(date.day());
}

}  // namespace tav
