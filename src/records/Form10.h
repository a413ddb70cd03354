// The construction-site ID replacement dialog.
#pragma once

#include <QDialog>

class TForm1;
class TForm10 : public QDialog {
    Q_OBJECT

  public:
    explicit TForm10(TForm1& form, QWidget* parent = nullptr);

  private:
    TForm1& form_;
};
