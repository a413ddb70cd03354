// The import progress window: one progress bar while the rows of a report
// file are read.
#pragma once

#include <QDialog>

class TPostep : public QDialog {
    Q_OBJECT

  public:
    explicit TPostep(QWidget* parent = nullptr);
};
