// The table the report benchmarks write: a full welder memory of 9999
// records on 100 sites, cells as wide as the welder's record fields.
#pragma once

#include <string>
#include <vector>

#include "records/GridData.h"

namespace tav::bench {

inline constexpr int kRecords = 9999;

inline std::string Padded(int value, int width) {
    std::string text = std::to_string(value);
    return std::string(static_cast<std::size_t>(width > static_cast<int>(text.size())
                                                    ? width - static_cast<int>(text.size())
                                                    : 0),
                       '0') +
           text;
}

// A table as a table download of a full memory leaves it.
inline void FillTable(tav::records::GridData& grid) {
    grid.SetRowCount(kRecords + 1);
    for (int r = 1; r <= kRecords; ++r) {
        const int i = r - 1;
        const std::vector<std::string> row = {
            Padded(i / 100, 4),
            "2024." + Padded(1 + i % 12, 2) + "." + Padded(1 + i % 28, 2),
            Padded(i % 24, 2) + ":" + Padded(i % 60, 2),
            Padded(i % 99, 2),
            Padded(r, 4),
            i % 3 == 0 ? "M" : "A",
            "PLA",
            "d" + std::to_string(20 + i % 400) + " mufa",
            "39.5",
            "39." + std::to_string(i % 10),
            std::to_string(40 + i % 200),
            std::to_string(40 + i % 200),
            std::to_string(i % 30),
            std::to_string(i % 30),
            std::to_string(i % 35 - 5),
            "1." + Padded(i % 100, 2),
            i % 7 == 0 ? "2" : "+",
        };
        for (int c = 0; c < tav::records::kColumnCount; ++c) {
            grid.SetCell(c, r, row[static_cast<std::size_t>(c)]);
        }
    }
}

}  // namespace tav::bench
