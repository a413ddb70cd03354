#include "records/Form2.h"

TForm2::TForm2(TForm1& form, QWidget* parent) : QDialog(parent), form_(form) {
    setObjectName(QStringLiteral("Form2"));
    setWindowTitle(QString());
    resize(491, 397);
}
