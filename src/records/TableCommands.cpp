// The record table on the main window: received lines, the table downloads
// and table editing.
#include "shell/Form1.h"

std::uint8_t TForm1::ParseRecordLine(std::string_view /*line*/) {
    return tav::records::kLineGoOn;
}
void TForm1::ResetHeaderFlags() {}
void TForm1::CheckHeaderLines() {}
void TForm1::SBPobierzCaloscClick() {}
void TForm1::SBPobierzOkresClick() {}
void TForm1::w1Click() {}
void TForm1::GridDblClick() {}
void TForm1::GridKeyPress() {}
void TForm1::GridSetEditText() {}
void TForm1::Usuzaznaczonezgrzewy1Click() {}
void TForm1::SpeedButton16Click() {}
