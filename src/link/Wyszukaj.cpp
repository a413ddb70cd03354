#include "link/Wyszukaj.h"

TWyszukaj::TWyszukaj(TForm1& form, QWidget* parent) : QDialog(parent), form_(form) {
    setObjectName(QStringLiteral("Wyszukaj"));
    setWindowTitle(QString());
    resize(378, 185);
}
