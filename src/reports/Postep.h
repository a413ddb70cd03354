// The import progress window: one progress bar (0 to 100) while the rows of
// a report file are read. It has no behaviour of its own; the Open command
// shows it without making it modal, moves the bar and closes it.
#pragma once

#include <QDialog>

class QProgressBar;

class TPostep : public QDialog {
    Q_OBJECT

  public:
    explicit TPostep(QWidget* parent = nullptr);

    // Shows the window centred on the screen, without making it modal.
    void ShowCentred();

    QProgressBar* ProgressBar = nullptr;
};
