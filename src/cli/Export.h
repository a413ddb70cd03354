// Two report kinds only the command-line tool writes, for spreadsheets and
// scripts: CSV and JSON. Both are built from the same report snapshot the
// HTML and text writers read, and both are UTF-8 (the program's Windows-1250
// bytes converted), so Polish letters survive in any modern reader.
#pragma once

#include <string>
#include <string_view>

#include "reports/ReportSnapshot.h"

namespace tav::cli {

// The rows a CSV or JSON report carries: rows 1..RowCount()-1 of the table,
// except that a table holding only its one empty data row (an empty table)
// has none.
int ExportRowCount(const records::GridData& grid);

// A byte-order mark, one header row with the 17 column headings of the
// report's language, then one row per record. Fields are separated by commas
// and lines end in CR LF; a field holding a comma, a double quote, CR or LF
// is enclosed in double quotes with its quotes doubled (RFC 4180).
std::string WriteCsvReport(const reports::ReportSnapshot& report);

// One field as written into a CSV line.
std::string CsvField(std::string_view utf8);

// An object with the header fields (company, typeLine, downloadTime,
// periodFrom, periodTo, language) and "records", an array of objects with one
// named field per column (siteId, date, time, operator, fusionNumber, mode,
// fittingManufacturer, fittingType, voltageSet, voltageAchieved,
// fusionTimeSet, fusionTimeAchieved, coolingTimeSet, coolingTimeAchieved,
// ambientTemperature, fittingResistance, evaluation). Cells are strings
// exactly as held, blanks included.
std::string WriteJsonReport(const reports::ReportSnapshot& report);

// `utf8` as a JSON string literal, quotes included: '"' and '\' escaped, and
// every control character (below 0x20, DEL and the C1 range) as \uXXXX or its
// short form.
std::string JsonString(std::string_view utf8);

}  // namespace tav::cli
