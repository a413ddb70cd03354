// The simulated welder's memory: fusion records, each belonging to a
// construction site, kept in the order the welder stored them. Pure data and
// pure functions: loading a records file, generating plausible records.
//
// Every string holds Windows-1250 bytes (ASCII in practice, except site IDs,
// which may carry Polish letters).
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace tav::sim {

// The fields of one record in the order of the table columns 1..16.
enum Field : int {
    kDate,                // "YYYY.MM.DD"
    kTime,                // "HH:MM"
    kOperator,            // operator number
    kFusionNumber,        // running fusion number
    kMode,                // 'A' automatic (bar code) or 'M' manual
    kManufacturer,        // fitting manufacturer code
    kFittingType,         // fitting type
    kVoltageSet,          // fusion voltage set [V]
    kVoltageAchieved,     // fusion voltage achieved (average) [V]
    kFusionTimeSet,       // fusion time set [s]
    kFusionTimeAchieved,  // fusion time achieved [s]
    kCoolingSet,          // cooling time set [min]
    kCoolingAchieved,     // cooling time achieved [min]
    kAmbient,             // ambient temperature [C]
    kResistance,          // fitting resistance [Ohm]
    kEvaluation,          // '+', '-', '1', '2' or '3'
    kFieldCount
};

// Where a field sits in a record line: first position and width. Values are
// right-aligned in their slice.
struct FieldSlice {
    int start;
    int width;
};

inline constexpr std::array<FieldSlice, kFieldCount> kFieldSlices{{
    {1, 10},   // date
    {12, 5},   // time
    {18, 2},   // operator
    {21, 4},   // fusion number
    {26, 1},   // A/M
    {28, 4},   // manufacturer
    {33, 10},  // fitting type
    {44, 4},   // voltage set
    {49, 4},   // voltage achieved
    {54, 3},   // fusion time set
    {58, 3},   // fusion time achieved
    {62, 2},   // cooling set
    {65, 2},   // cooling achieved
    {68, 3},   // ambient temperature
    {72, 4},   // resistance
    {77, 2},   // evaluation
}};

// Length of a record line (without CR LF).
inline constexpr std::size_t kRecordLineLength = 79;

// A site ID is kept to this many bytes; the program itself uses the first 4.
inline constexpr std::size_t kMaxSiteIdLength = 8;

struct FusionRecord {
    std::string siteId;  // empty: the record belongs to no site
    std::array<std::string, kFieldCount> fields;

    bool operator==(const FusionRecord&) const = default;
};

using RecordStore = std::vector<FusionRecord>;

// A calendar date as the number YYYYMMDD, which orders like the date.
using DateKey = std::uint32_t;

// The key of a "YYYY.MM.DD" date, or nothing when `date` is not one (four
// digits, '.', two digits, '.', two digits; month 1..12, day 1..31).
std::optional<DateKey> ParseDotDate(std::string_view date);

// "YYYY.MM.DD" for a key.
std::string FormatDotDate(DateKey key);

// The records whose date lies in [from, to], both ends included, in stored
// order. Records with an unreadable date never match.
RecordStore RecordsInPeriod(const RecordStore& store, DateKey from, DateKey to);

// A records file that cannot be read; what() names the line and the fault,
// e.g. "records.txt:12: field 8 (voltage set) is wider than 4 characters".
class RecordFileError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Reads records in the records file format (bytes as stored, Windows-1250 or
// ASCII; lines end in LF or CR LF):
//
//   # a comment; blank lines are ignored
//   site 1024
//   2009.03.15;07:42;1;12;A;ZKP;M 110;39.5;39.4;120;120;10;10;21;1.25;+
//   2009.03.15;08:05;1;13;M;ZKP;T 90;39.5;39.6;95;95;8;8;21;0.84;-
//   site ŁASK
//   ...
//
// "site ID" starts a construction site: the records after it belong to it,
// until the next site line ("site" alone: records of no site). Records before
// the first site line belong to no site. A record line holds the 16 fields in
// table-column order separated by ';'; blanks around a field are dropped.
// Each field must fit its slice of the record line, the date must be
// "YYYY.MM.DD", and no field or site ID may hold a control byte or ';'.
// A site ID is at most 8 bytes.
//
// Note: the program takes any line with 'a' or 'x' at position 34 or 't' at
// position 36 for a type line; a fitting type whose second character (when
// right-aligned to 10) is 'a' or 'x', or whose fourth is 't', therefore makes
// its record line unreadable for the program. Such records are loaded as they
// stand, so that this can be shown on purpose.
//
// `name` only labels the error messages. Throws RecordFileError.
RecordStore ParseRecordText(std::string_view text, std::string_view name = "records");

// ParseRecordText over the bytes of the file at `path`. Throws
// RecordFileError, also when the file cannot be read.
RecordStore LoadRecordFile(const std::string& path);

// The records file text for `store` (what ParseRecordText reads back).
std::string FormatRecordText(const RecordStore& store);

struct GeneratorOptions {
    std::size_t count = 20;  // records
    std::size_t sites = 3;   // construction sites (at least 1 when count > 0)
    std::uint32_t seed = 1;  // the same seed gives the same records
    DateKey firstDay = 20090302;
    std::uint32_t days = 60;  // dates spread over this many days from firstDay
};

// Deterministic plausible records: dates ascending over the range, times
// within a working day, each site a run of
// consecutive records, fusion numbers counting from 1 (9999 at most). Site IDs are 4 bytes and some
// carry Polish letters (Windows-1250); record fields are plain ASCII.
//
// Fitting types are upper-case letters, digits, blanks and '/', so a record
// line never carries the lower-case 'a', 'x' or 't' at positions 34 and 36
// that would make the program take it for a type line; the separator at
// position 32 is '|', never 'c'.
RecordStore GenerateRecords(const GeneratorOptions& options);

}  // namespace tav::sim
