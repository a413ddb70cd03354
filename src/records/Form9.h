// The wait window shown while a table download runs.
#pragma once

#include <QDialog>

class TForm1;
class TForm9 : public QDialog {
    Q_OBJECT

  public:
    explicit TForm9(TForm1& form, QWidget* parent = nullptr);

  private:
    TForm1& form_;
};
