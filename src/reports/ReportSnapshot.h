// Everything a fusion report is built from, taken from the window (or from
// the command-line tool) at the moment of writing. The writers only read it.
#pragma once

#include <string>

#include "records/GridData.h"

namespace tav::reports {

struct ReportSnapshot {
    // The record table: rows 1..RowCount()-1, columns 0..16, are written.
    const records::GridData& Rows;
    // All texts below are Windows-1250 bytes.
    std::string CompanyName{};   // ComboBox1
    std::string TypeLine{};      // status panel 1, leading blanks and controls already removed
    std::string DownloadTime{};  // Edit3
    std::string PeriodFrom{};
    std::string PeriodTo{};
    // Language variant 0 Polish, 1 English, 2 Czech, 3 Romanian, 4 English;
    // the caller has already replaced "none" by the interface language. A value
    // outside 0..4 is written as English (1).
    int Language = 1;
};

// The variant the writers use: `language` when it is 0..4, else 1 (English).
inline int ReportVariant(int language) {
    return language >= 0 && language <= 4 ? language : 1;
}

}  // namespace tav::reports
