// The two help windows: a short user manual as fixed labels, text boxes,
// frames and pictures down a tall scrollable page. The Polish one stays on
// top and always opens at its title; the English one keeps its scroll
// position between showings.
#pragma once

#include <QDialog>

class QScrollArea;

class THelpFormPolski : public QDialog {
    Q_OBJECT

public:
    explicit THelpFormPolski(QWidget* parent = nullptr);
    QScrollArea* ScrollBox = nullptr;
    void FormShow();  // back to the top

protected:
    void showEvent(QShowEvent* event) override;
};

class THelpFormEnglish : public QDialog {
    Q_OBJECT

public:
    explicit THelpFormEnglish(QWidget* parent = nullptr);
    QScrollArea* ScrollBox = nullptr;
};
