// Printing a report file as it stands on disk: an HTML report laid out as
// the document it describes, any other file as plain lines in a fixed-pitch
// font, page after page. Used by the desktop's "print" action (the table is
// printed through its report file); a test prints to PDF.
#pragma once

#include <QString>
#include <QStringList>

class QPrinter;

namespace tav::reports {

// Whether the file is printed as HTML: its name ends in .htm or .html (any
// case).
bool IsHtmlFileName(const QString& path);

// Reads `path` (Windows-1250 text) and prints it on `printer`. False when
// the file cannot be read or the printer cannot start.
bool PrintReportFile(const QString& path, QPrinter& printer);

// The text view's printout: a fixed-pitch font (Courier New) whose height
// is the page height / 75 device units, that height as the line slot, each
// page headed by `pageLabel` and its number at half the page width on the
// top slot, the lines from slot 1 at 300 device units from the left, and a
// new page when the slot reaches (page height / slot height) - 1, so 73
// lines to a page. Lines are not wrapped. No page is started after the last
// line, and a page under 75 device units is laid out as if 75 high. Prints
// at least 300 dots per inch (the layout is in printer dots). False when the
// printer cannot start or fails.
bool PrintTextLines(const QStringList& lines, QPrinter& printer, const QString& pageLabel);

}  // namespace tav::reports
