// The date-range dialog: the first and the last day of the period the period
// download asks the welder for, handed back in PeriodFrom and PeriodTo as
// "<year>-<MM>-<DD>" strings, or both emptied when the user aborts (Abort,
// Esc or the title bar's close button). The calendars keep the last choice
// from one showing to the next.
#pragma once

#include <QDialog>

class QComboBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QShowEvent;
class TForm1;

namespace tav {
class MonthCalendar;
}

class TForm2 : public QDialog {
    Q_OBJECT

  public:
    explicit TForm2(TForm1& form, QWidget* parent = nullptr);

    // Captions in the interface language, the selectors from the calendars,
    // the labels from their dates.
    void FormShow();
    void ComboBox1Change();  // start month
    void ComboBox2Change();  // start year
    void ComboBox3Change();  // end month
    void ComboBox4Change();  // end year
    void CCalendar1Change();
    void CCalendar2Change();
    void SpeedButton1Click();  // confirm
    void SpeedButton2Click();  // abort

    // Every way of closing the dialog other than confirming aborts.
    void reject() override;

    QGroupBox* GroupBox1 = nullptr;
    tav::MonthCalendar* CCalendar1 = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* Label3 = nullptr;
    QLabel* Label4 = nullptr;
    QComboBox* ComboBox1 = nullptr;
    QComboBox* ComboBox2 = nullptr;
    QGroupBox* GroupBox2 = nullptr;
    tav::MonthCalendar* CCalendar2 = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* Label5 = nullptr;
    QLabel* Label6 = nullptr;
    QComboBox* ComboBox3 = nullptr;
    QComboBox* ComboBox4 = nullptr;
    QPushButton* SpeedButton1 = nullptr;
    QPushButton* SpeedButton2 = nullptr;

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    // Sets the month or year of `calendar` from the text of `combo`; a text
    // that is no number, or a date the calendar refuses, is reported.
    void ApplySelector(QComboBox* combo, tav::MonthCalendar* calendar, bool month);
    void ShowInvalidDate();

    TForm1& form_;
};
