// The text tools on the text view: find, replace, copy, paste, select all.
#include "shell/Form1.h"

void TForm1::Znajd1Click() {}
void TForm1::Zastp1Click() {}
void TForm1::ReplaceDialog1Find(QObject* /*sender*/) {}
void TForm1::ReplaceDialog1Replace(QObject* /*sender*/) {}
void TForm1::Kopiuj1Click() {}
void TForm1::Wklej1Click() {}
void TForm1::Zaznaczwszystko1Click() {}
void TForm1::PulpitChange() {}
