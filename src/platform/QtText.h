// The one crossing between the core's Windows-1250 byte strings and Qt's
// QString, used at the widget boundary only.
#pragma once

#include <string>
#include <string_view>

#include <QString>

namespace tav {

// Windows-1250 bytes to QString.
QString FromCp1250(std::string_view bytes);
// QString to Windows-1250 bytes; characters the code page lacks become '?'.
std::string ToCp1250(const QString& text);
// A UTF-8 literal (the program's own texts) to QString.
inline QString U8(const char* utf8) { return QString::fromUtf8(utf8); }

}  // namespace tav
