// The welder commands of the main window: connect, the text downloads and
// the memory erase.
#include "shell/Form1.h"

void TForm1::SpeedButton8Click() {}
void TForm1::SpeedButton7Click() {}
void TForm1::Pobierzcazawartopamiciwpostacitekstowej1Click() {}
void TForm1::SBKasujClick() {}
