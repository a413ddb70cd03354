#include "shell/HelpForms.h"

#include <QScrollArea>

// Placeholders until the manual is written.
THelpFormPolski::THelpFormPolski(QWidget* parent) : QDialog(parent) {
    setObjectName("HelpFormPolski");
    ScrollBox = new QScrollArea(this);
}
void THelpFormPolski::FormShow() {}
void THelpFormPolski::showEvent(QShowEvent* event) { QDialog::showEvent(event); }

THelpFormEnglish::THelpFormEnglish(QWidget* parent) : QDialog(parent) {
    setObjectName("HelpFormEnglish");
    ScrollBox = new QScrollArea(this);
}
