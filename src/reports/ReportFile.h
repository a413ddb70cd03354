// Where and how a report file is written: the kind of report a file name asks
// for, the name actually written, whether the overwrite question is asked,
// and a writer that replaces the old file only once the new one is complete.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace tav::reports {

enum class ReportKind { Html, Text };

// The text from the last '.' of the name's last path component ("" when that
// component has none).
std::string_view FileExtension(std::string_view fileName);

// HTML when the extension contains "htm" (".htm", ".html", ".xhtml"); text
// otherwise. Case-sensitive: ".HTM" is a text file.
ReportKind ReportKindOf(std::string_view fileName);

// The name written: an HTML name without ".htm" anywhere in it gets ".htm"
// appended, a text name without ".txt" anywhere gets ".txt" (case-sensitive).
std::string FinalReportFileName(std::string_view fileName, ReportKind kind);

// The temporary report of printing and preview ("~tmp.html") is replaced
// without asking; every other existing file is asked about.
bool SkipsOverwriteQuestion(std::string_view fileName);

// Results of SaveFileSafely.
inline constexpr std::uint8_t kSaveWritten = 0;
// The file could not be created or opened for writing (missing or read-only
// directory, no permission, a directory in the way).
inline constexpr std::uint8_t kSaveOpenError = 1;
// Writing failed part way (a full disk, an I/O error).
inline constexpr std::uint8_t kSaveWriteError = 2;

// Writes `bytes` as the file `path`. A regular file (new or existing) is
// written to a temporary file beside it, flushed to the disk and renamed over
// the old one, so a failure at any point leaves the old file as it was and no
// temporary file behind. An existing file keeps its permissions (and, where
// allowed, its owner); a symbolic link keeps pointing at the replaced file. A
// device or pipe in the way is written directly. `error`, when given,
// receives the errno of a failure.
std::uint8_t SaveFileSafely(const std::string& path, std::string_view bytes, int* error = nullptr);

}  // namespace tav::reports
