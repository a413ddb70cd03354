// The welder commands of the main window: connect and the memory erase.
#include "shell/Form1.h"

void TForm1::SpeedButton8Click() {}
void TForm1::SBKasujClick() {}
