// config.cfg: the interface language and the default company name, in a
// fixed 123-byte record with no header:
//   offset 0    1 byte    interface language (0 Polish, 1 English)
//   offset 1    20 bytes  reserved, carried over from the file read
//   offset 21   100 bytes company name, Windows-1250, NUL-padded; a name of
//                         exactly 100 bytes has no terminating NUL
//   offset 121  2 bytes   reserved, carried over
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace tav {

inline constexpr std::size_t kSettingsSize = 123;
inline constexpr std::size_t kCompanyOffset = 21;
inline constexpr std::size_t kCompanySize = 100;

using SettingsRecordBytes = std::array<std::uint8_t, kSettingsSize>;

// 0 loaded into `record`; 1 the file cannot be opened or its size found;
// 2 it is not 123 bytes long or cannot be read whole (`record` unchanged).
int ReadSettingsFile(const std::string& path, SettingsRecordBytes& record);

// Writes the 123 bytes to a temporary file beside `path` and renames it
// over `path`, so a failed write never leaves a broken file.
// 0 written; 1 cannot be created; 2 the write failed.
int WriteSettingsFile(const std::string& path, const SettingsRecordBytes& record);

// The language byte as the program uses it: 0 stays 0, anything else is
// English (1).
std::uint8_t SettingsLanguage(const SettingsRecordBytes& record);

// The company name: the bytes from offset 21 up to the first NUL, at most 100.
std::string SettingsCompany(const SettingsRecordBytes& record);

// Stores the language in byte 0 and the first 100 bytes of `company` at
// offset 21, NUL-padded; the reserved bytes stay as they are.
void StoreSettings(SettingsRecordBytes& record, std::uint8_t language, std::string_view company);

}  // namespace tav
