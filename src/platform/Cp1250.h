// Windows-1250 text: the single-byte code page every string of the program is
// held in (welder lines, report files, config.cfg). Converted to and from
// Unicode only at the edges: widgets (QString) and UTF-8 source literals.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace tav::cp1250 {

// The Unicode code point of one Windows-1250 byte. The five bytes the code
// page leaves undefined (0x81, 0x83, 0x88, 0x90, 0x98) map to the C1 control
// with the same value, so every byte survives a round trip.
char16_t ToUnicode(std::uint8_t byte);

// The Windows-1250 byte for a code point, or -1 when the code page has none.
int FromUnicode(char32_t codePoint);

// Windows-1250 bytes to UTF-8.
std::string ToUtf8(std::string_view bytes);

// UTF-8 to Windows-1250 bytes; a character the code page lacks becomes '?'.
// Malformed UTF-8 sequences become '?' as well.
std::string FromUtf8(std::string_view utf8);

}  // namespace tav::cp1250
