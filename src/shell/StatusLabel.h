// The connection status label on ToolBar1: caption and colours for
// connected or not, in the interface language (nothing for a language other
// than 0 and 1). ToolBar1 takes the label's background.
#pragma once

class TForm1;

namespace tav::shell {

void ApplyStatusLabel(TForm1& form, bool connected);

}  // namespace tav::shell
