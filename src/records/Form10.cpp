#include "records/Form10.h"

TForm10::TForm10(TForm1& form, QWidget* parent) : QDialog(parent), form_(form) {
    setObjectName(QStringLiteral("Form10"));
    setWindowTitle(QString());
    resize(435, 165);
}
