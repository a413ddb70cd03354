// The character tests by which the program tells the welder's lines apart,
// written out again here, independently of the program's own classifier, so
// the simulated welder's lines can be checked against them.
#pragma once

#include <string>
#include <string_view>

namespace tav::simtest {

enum class Kind {
    Type,
    DownloadTime,
    PeriodStart,
    PeriodEnd,
    Site,
    Record,
    EndOfData,
    NoData,
    Other
};

struct Recognised {
    Kind kind = Kind::Other;
    int language = -1;   // Type: 0 pl, 1 en, 2 cs, 3 ro; -1 none
    std::string siteId;  // Site
};

inline Recognised Recognise(std::string_view l) {
    auto c = [&](std::size_t i, char ch) { return i < l.size() && l[i] == ch; };
    Recognised r;
    if (c(34, 'a') || c(34, 'x') || c(32, 'c') || c(36, 't')) {
        r.kind = Kind::Type;
        if (c(34, 'a') && c(12, 'g')) {
            r.language = 0;
        } else if (c(34, 'x') && c(12, 'e')) {
            r.language = 1;
        } else if (c(32, 'c') && c(12, 'd')) {
            r.language = 2;
        } else if (c(36, 't') && c(12, 't')) {
            r.language = 3;
        }
    } else if ((c(0, 'D') || c(0, 'P')) && (c(2, 'T') || c(2, 'I'))) {
        r.kind = Kind::DownloadTime;
    } else if ((c(0, 'W') && c(7, 'o')) || (c(0, 'S') && c(9, 'd')) || (c(0, 'T') && c(10, 'e')) ||
               (c(0, 'T') && c(5, 'o'))) {
        r.kind = Kind::PeriodStart;
    } else if ((c(0, 'W') && c(7, 'd')) || (c(0, 'E') && c(9, 't')) || (c(0, 'T') && c(10, 'a')) ||
               (c(0, 'T') && c(5, 'd'))) {
        r.kind = Kind::PeriodEnd;
    } else if ((c(0, 'N') || c(0, 'C')) && (c(1, 'u') || c(1, 'o') || c(1, 'i'))) {
        r.kind = Kind::Site;
        const std::size_t colon = l.find(':');
        const std::size_t from = colon == std::string_view::npos ? 1 : colon + 2;
        r.siteId = from < l.size() ? std::string(l.substr(from, 4)) : std::string();
    } else if (c(0, '|') && c(5, '.') && c(8, '.')) {
        r.kind = Kind::Record;
    } else if ((c(1, 'L') || c(1, 'E')) && (c(3, 'G') || c(3, 'P'))) {
        r.kind = Kind::EndOfData;
    } else if ((c(11, 'k') && c(16, 'z')) || (c(11, 'l') && c(16, 'n')) ||
               (c(11, 'd') && c(16, 'd')) || (c(11, 'c') && c(16, 'o'))) {
        r.kind = Kind::NoData;
    }
    return r;
}

inline const char* KindName(Kind k) {
    static const char* const kNames[] = {"type",        "download time", "period start",
                                         "period end",  "site",          "record",
                                         "end of data", "no data",       "other"};
    return kNames[static_cast<int>(k)];
}

}  // namespace tav::simtest
