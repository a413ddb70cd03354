// The fixed-width text report (80 columns: title, header lines, boxed rows
// grouped by construction site, boxed legend) and the plain copy of the text
// view. Windows-1250 bytes, CR LF line ends.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "records/GridData.h"
#include "reports/ReportSnapshot.h"

namespace tav::reports {

// Box widths of the row lines, by grid column; the site ID (column 0) has no
// box. With the 17 separators a row line is 80 characters.
inline constexpr std::array<std::uint8_t, records::kColumnCount> TextColumnWidths = {
    0, 10, 5, 2, 4, 1, 4, 10, 4, 4, 3, 3, 2, 2, 3, 4, 2};

// The table report. Cells are right-aligned in their boxes and never cut: a
// longer text pushes the rest of its row line to the right. No line carries a
// trailing blank.
std::string WriteTextReport(const ReportSnapshot& report);

// The text view as a file: every line followed by one blank and CR LF. A
// view with no text has no lines (not one empty line) and gives an empty file.
std::string WriteTextViewCopy(const std::vector<std::string>& lines);

}  // namespace tav::reports
