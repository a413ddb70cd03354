// A month calendar that holds one date and lets its year and month be set
// separately; a year or month that would give a day the month does not have
// (the 31st in a 30-day month, 29 February in a common year) is refused and
// the date stays as it was. Every change of the date, by the user or by a
// setter, is reported through Changed().
#pragma once

#include <QCalendarWidget>

namespace tav {

class MonthCalendar final : public QCalendarWidget {
    Q_OBJECT

  public:
    explicit MonthCalendar(QWidget* parent = nullptr);

    int Year() const;
    int Month() const;
    int Day() const;
    // False when refused (no such date, or a year outside 1..9999).
    bool SetYear(int year);
    bool SetMonth(int month);
    // The date as "<year>-<MM>-<DD>", the year without leading zeros.
    QString DateString() const;

  signals:
    void Changed();

  private:
    bool SetDate(int year, int month, int day);
};

}  // namespace tav
