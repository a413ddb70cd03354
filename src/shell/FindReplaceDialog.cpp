#include "shell/FindReplaceDialog.h"

namespace tav {

FindReplaceDialog::FindReplaceDialog(TForm1& form, Mode mode, QWidget* parent)
    : QDialog(parent), form_(form), mode_(mode) {
    setObjectName(mode == Mode::Find ? QStringLiteral("FindDialog1")
                                     : QStringLiteral("ReplaceDialog1"));
    setWindowTitle(mode == Mode::Find ? QStringLiteral("Znajdź") : QStringLiteral("Zamień"));
    resize(mode == Mode::Find ? QSize(350, 100) : QSize(350, 150));
}

}  // namespace tav
