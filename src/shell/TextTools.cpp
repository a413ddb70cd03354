// The text tools on the text view, the unsaved-data prompt and clear screen.
#include "shell/Form1.h"

void TForm1::Znajd1Click() {}
void TForm1::Zastp1Click() {}
void TForm1::ReplaceDialog1Find(QObject* /*sender*/) {}
void TForm1::ReplaceDialog1Replace(QObject* /*sender*/) {}
void TForm1::Kopiuj1Click() {}
void TForm1::Wklej1Click() {}
void TForm1::Zaznaczwszystko1Click() {}
void TForm1::PulpitChange() {}

bool TForm1::AskSaveData(const QString& /*polish*/, const QString& /*english*/,
                         unsigned /*buttons*/, SaveStyle /*style*/) {
    return true;
}

void TForm1::SpeedButton1Click() {}
