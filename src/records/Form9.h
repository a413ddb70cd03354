// The wait window shown while a table download runs: a yellow box asking the
// user to wait, and below its text how far the download has come.
#pragma once

#include <QDialog>

class QLabel;
class QShowEvent;
class TForm1;

class TForm9 : public QDialog {
    Q_OBJECT

  public:
    explicit TForm9(TForm1& form, QWidget* parent = nullptr);

    // Sets the label in the interface language and empties the progress line.
    void FormShow();
    // The progress line: records received, and of how many when the welder
    // announced a count (announced < 0: no count).
    void SetProgress(int received, int announced);

    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;  // progress

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    TForm1& form_;
};
