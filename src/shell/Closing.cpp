// Closing the main window.
#include "shell/Form1.h"

bool TForm1::FormCloseQuery() {
    SaveSettingsFile();
    return true;
}

void TForm1::N51Click() {
    close();
}
