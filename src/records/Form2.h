// The date-range dialog: the first and the last day of the period the period
// download asks the welder for, handed back in PeriodFrom and PeriodTo.
#pragma once

#include <QDialog>

class TForm1;
class TForm2 : public QDialog {
    Q_OBJECT

  public:
    explicit TForm2(TForm1& form, QWidget* parent = nullptr);

  private:
    TForm1& form_;
};
