// Reports on the main window: writing, Save as and Open.
#include "shell/Form1.h"

std::uint8_t TForm1::WriteReportFile(const std::string& /*fileName*/) {
    return 1;
}
void TForm1::SpeedButton3Click() {}
void TForm1::SpeedButton2Click() {}
std::string TForm1::ExtractTaggedText(std::string_view /*startTag*/, std::string_view /*endTag*/) {
    return {};
}
