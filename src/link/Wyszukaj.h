// The window shown while the welder is searched for: the port being tried and
// a blinking question mark; closing it stops the search.
#pragma once

#include <QDialog>

class TForm1;
class TWyszukaj : public QDialog {
    Q_OBJECT

  public:
    explicit TWyszukaj(TForm1& form, QWidget* parent = nullptr);

  private:
    TForm1& form_;
};
