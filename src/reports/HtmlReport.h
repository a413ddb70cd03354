// The HTML fusion report: an ordinary page any browser shows (title, header
// block, one table grouped by construction site, legend), carrying custom
// tags and comment lines through which the program reads the same file back
// (HtmlImport.h). Windows-1250 bytes, CR LF line ends.
#pragma once

#include <array>
#include <string>
#include <string_view>

#include "records/GridData.h"
#include "reports/ReportSnapshot.h"

namespace tav::reports {

// The heading cells of one language variant: entries 0..15 are the <th>
// lines of grid columns 1..16, entry 16 closes the heading row.
inline constexpr int kHtmlHeadingLines = 17;
using HtmlHeadingTable = std::array<std::array<std::string, kHtmlHeadingLines>, 5>;

// Variants 0 Polish, 1 English, 2 Czech, 3 Romanian, 4 English (the texts of
// variant 1). Windows-1250 bytes; built on first use.
const HtmlHeadingTable& HtmlColumnHeadings();

// The tag a cell is written in, by grid column; column 0 (the site ID) has
// none: it goes into the site-ID comment and the group heading.
inline constexpr std::array<std::string_view, records::kColumnCount> kCellTags = {
    "",     "data",  "czas",  "nrop",   "nrzgrz", "am",    "prod",  "typ",  "uzad",
    "uwyk", "czzad", "czwyk", "czszad", "czswyk", "tempr", "rezys", "ocena"};

// The tag pairs the reader looks for.
inline constexpr std::string_view kReportMarkerStart = "<!morvalentfusionreport";
inline constexpr std::string_view kReportMarkerEnd = "/morvalentfusionreport>";
inline constexpr std::string_view kLanguageMarkerStart = "<!jezykdokum";
inline constexpr std::string_view kLanguageMarkerEnd = "/jezykdokum>";
inline constexpr std::string_view kCompanyStart = "<nazwafirmy>";
inline constexpr std::string_view kCompanyEnd = "</nazwafirmy>";
inline constexpr std::string_view kTypeLineStart = "<typzgrz>";
inline constexpr std::string_view kTypeLineEnd = "</typzgrz>";
inline constexpr std::string_view kDownloadTimeStart = "<dataczaswydr>";
inline constexpr std::string_view kDownloadTimeEnd = "</dataczaswydr>";
inline constexpr std::string_view kPeriodFromStart = "<wydrod>";
inline constexpr std::string_view kPeriodFromEnd = "</wydrod>";
inline constexpr std::string_view kPeriodToStart = "<wydrdo>";
inline constexpr std::string_view kPeriodToEnd = "</wydrdo>";
inline constexpr std::string_view kSiteIdStart = "<!lok";
inline constexpr std::string_view kSiteIdEnd = "/lok>";

// A value as written into the document: '&', '<' and '>' become "&amp;",
// "&lt;" and "&gt;", so no value can break the table or carry markup or
// script into a browser. Nothing else changes.
std::string EscapeHtmlText(std::string_view value);

// The reverse: exactly "&amp;", "&lt;" and "&gt;" become '&', '<' and '>'
// (left to right, each entity once: "&amp;lt;" gives "&lt;"). Every other
// text, other entities included, stays as it is.
std::string UnescapeHtmlText(std::string_view text);

// The whole document for `report`: every line up to the closing block ends
// with a blank and CR LF, the closing block's lines with CR LF alone.
std::string WriteHtmlReport(const ReportSnapshot& report);

}  // namespace tav::reports
