// The two text downloads of the main window: all fusions and the whole memory.
#include "shell/Form1.h"

void TForm1::SpeedButton7Click() {}
void TForm1::Pobierzcazawartopamiciwpostacitekstowej1Click() {}
