#include "records/Form9.h"

TForm9::TForm9(TForm1& form, QWidget* parent) : QDialog(parent), form_(form) {
    setObjectName(QStringLiteral("Form9"));
    setWindowTitle(QStringLiteral("Tavelin"));
    resize(287, 125);
}
