// The construction-site ID replacement dialog: every row whose column 0
// holds exactly the text of Edit1 (the heading row included) gets the text
// of Edit2. Both edit boxes keep their text from one showing to the next.
#pragma once

#include <QDialog>

class QGroupBox;
class QLineEdit;
class QPushButton;
class QShowEvent;
class TForm1;

class TForm10 : public QDialog {
    Q_OBJECT

  public:
    explicit TForm10(TForm1& form, QWidget* parent = nullptr);

    // Takes the ID from the table's selection when it begins in column 0 and
    // sets the captions in the interface language.
    void FormShow();
    void Button1Click();  // replace, report, close
    void Button2Click();  // close
    // Enter in Edit2 replaces.
    void Edit2KeyDown(int key);

    QGroupBox* GroupBox1 = nullptr;
    QLineEdit* Edit1 = nullptr;
    QGroupBox* GroupBox2 = nullptr;
    QLineEdit* Edit2 = nullptr;
    QPushButton* Button1 = nullptr;
    QPushButton* Button2 = nullptr;

  protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    TForm1& form_;
};
