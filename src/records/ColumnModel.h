// The 17 columns of the fusion record table: their heading texts in the five
// heading variants and where columns 1..16 lie in a record line.
#pragma once

#include <array>
#include <string>
#include <string_view>

#include "records/GridData.h"

namespace tav::records {

// Heading variants, numbered as the document language: 0 Polish, 1 English,
// 2 Czech, 3 Romanian, 4 English again (the texts of variant 1).
inline constexpr int kHeadingVariantCount = 5;

using HeadingRow = std::array<std::string, kColumnCount>;

// ColumnHeadings()[variant][column]: the heading texts as Windows-1250 bytes,
// built on first use.
const std::array<HeadingRow, kHeadingVariantCount>& ColumnHeadings();

// Where a column lies in a record line: first position and length.
struct ColumnSlice {
    int first = 0;
    int length = 0;
};

// Columns 1..16 of a record line; entry 0 is unused (the site ID comes from
// the last site line, not from the record line).
inline constexpr std::array<ColumnSlice, kColumnCount> kRecordSlices = {{
    {0, 0},    // 0 construction-site ID
    {1, 10},   // 1 fusion date
    {12, 5},   // 2 fusion time of day
    {18, 2},   // 3 operator number
    {21, 4},   // 4 fusion number
    {26, 1},   // 5 automatic or manual setting
    {28, 4},   // 6 fitting manufacturer
    {33, 10},  // 7 fitting type
    {44, 4},   // 8 fusion voltage, set
    {49, 4},   // 9 fusion voltage, achieved
    {54, 3},   // 10 fusion time, set
    {58, 3},   // 11 fusion time, achieved
    {62, 2},   // 12 cooling time, set
    {65, 2},   // 13 cooling time, achieved
    {68, 3},   // 14 ambient temperature
    {72, 4},   // 15 fitting resistance
    {77, 2},   // 16 evaluation code
}};

// The characters of `slice` that exist in `line`: shortened where the line
// ends inside the slice, empty where it ends before it.
std::string CutSlice(std::string_view line, ColumnSlice slice);

}  // namespace tav::records
