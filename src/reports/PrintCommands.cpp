// Printing and previewing from the main window.
#include "shell/Form1.h"

void TForm1::SpeedButton5Click() {}
void TForm1::PrintSetup1Click() {}
void TForm1::SpeedButton15Click() {}
