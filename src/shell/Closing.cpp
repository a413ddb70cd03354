// The unsaved-data prompt, clear screen and closing the main window.
#include "shell/Form1.h"

bool TForm1::AskSaveData(const QString& /*polish*/, const QString& /*english*/,
                         unsigned /*buttons*/, SaveStyle /*style*/) {
    return true;
}

void TForm1::SpeedButton1Click() {}

bool TForm1::FormCloseQuery() {
    SaveSettingsFile();
    return true;
}

void TForm1::N51Click() {
    close();
}
