#include "reports/Postep.h"

TPostep::TPostep(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("Postep"));
    setWindowTitle(QStringLiteral("Importowanie danych...."));
    resize(387, 26);
}
