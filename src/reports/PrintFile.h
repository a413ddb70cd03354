// Printing a report file as it stands on disk: an HTML report laid out as
// the document it describes, any other file as plain lines in a fixed-pitch
// font, page after page. Used by the desktop's "print" action (the table is
// printed through its report file); a test prints to PDF.
#pragma once

#include <QString>

class QPrinter;

namespace tav::reports {

// Whether the file is printed as HTML: its name ends in .htm or .html (any
// case).
bool IsHtmlFileName(const QString& path);

// Reads `path` (Windows-1250 text) and prints it on `printer`. False when
// the file cannot be read or the printer cannot start.
bool PrintReportFile(const QString& path, QPrinter& printer);

}  // namespace tav::reports
