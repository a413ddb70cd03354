// The window shown while the welder is searched for: a picture of the PC
// looking for the welder, the port being tried ("COM3?") and a blinking
// question mark. It does not block the main window. Closing it, by its own
// button, its close box or Escape, stops the search at the next port.
#pragma once

#include <QDialog>

class QLabel;
class QTimer;
class QToolButton;
class TForm1;

class TWyszukaj : public QDialog {
    Q_OBJECT

  public:
    explicit TWyszukaj(TForm1& form, QWidget* parent = nullptr);

    QLabel* Label1 = nullptr;             // the port being tried
    QLabel* Image1 = nullptr;             // the picture
    QLabel* Label2 = nullptr;             // the blinking question mark
    QToolButton* SpeedButton1 = nullptr;  // closes the window
    QTimer* Timer1 = nullptr;             // drives the blinking, 1000 ms

    // The caption in the interface language; the blinking starts.
    void FormShow();
    // Shows the question mark when hidden, hides it when shown.
    void Timer1Timer();
    void SpeedButton1Click();
    // Runs on every close: the blinking stops and the search is told to end.
    void FormCloseQuery();

  public slots:
    // Escape closes the window the same way as its button.
    void reject() override;

  protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

  private:
    TForm1& form_;
};
