#include "records/LineClassifier.h"

#include <cstddef>

#include "records/ColumnModel.h"

namespace tav::records {
namespace {

// A site ID keeps at most this many characters.
constexpr std::size_t kSiteIdLength = 4;

// One character test: a position at or past the end of the line holds no
// character and fails every test.
class Chars {
public:
    explicit Chars(std::string_view line) : line_(line) {}
    bool Is(std::size_t pos, char ch) const { return pos < line_.size() && line_[pos] == ch; }
    bool IsAny(std::size_t pos, std::string_view chars) const {
        return pos < line_.size() && chars.find(line_[pos]) != std::string_view::npos;
    }

private:
    std::string_view line_;
};

bool IsTypeLine(const Chars& c) {
    return c.Is(34, 'a') || c.Is(34, 'x') || c.Is(32, 'c') || c.Is(36, 't');
}

// The language a type line is written in, or -1 when no language test holds.
std::int8_t TypeLineLanguage(const Chars& c) {
    if (c.Is(34, 'a') && c.Is(12, 'g')) {
        return 0;
    }
    if (c.Is(34, 'x') && c.Is(12, 'e')) {
        return 1;
    }
    if (c.Is(32, 'c') && c.Is(12, 'd')) {
        return 2;
    }
    if (c.Is(36, 't') && c.Is(12, 't')) {
        return 3;
    }
    return -1;
}

bool IsDownloadTimeLine(const Chars& c) {
    return c.IsAny(0, "DP") && c.IsAny(2, "TI");
}

bool IsPeriodStartLine(const Chars& c) {
    return (c.Is(0, 'W') && c.Is(7, 'o')) || (c.Is(0, 'S') && c.Is(9, 'd')) ||
           (c.Is(0, 'T') && c.Is(10, 'e')) || (c.Is(0, 'T') && c.Is(5, 'o'));
}

bool IsPeriodEndLine(const Chars& c) {
    return (c.Is(0, 'W') && c.Is(7, 'd')) || (c.Is(0, 'E') && c.Is(9, 't')) ||
           (c.Is(0, 'T') && c.Is(10, 'a')) || (c.Is(0, 'T') && c.Is(5, 'd'));
}

bool IsSiteLine(const Chars& c) {
    return c.IsAny(0, "NC") && c.IsAny(1, "uoi");
}

bool IsRecordLine(const Chars& c) {
    return c.Is(0, '|') && c.Is(5, '.') && c.Is(8, '.');
}

bool IsEndOfDataLine(const Chars& c) {
    return c.IsAny(1, "LE") && c.IsAny(3, "GP");
}

bool IsNoDataLine(const Chars& c) {
    return (c.Is(11, 'k') && c.Is(16, 'z')) || (c.Is(11, 'l') && c.Is(16, 'n')) ||
           (c.Is(11, 'd') && c.Is(16, 'd')) || (c.Is(11, 'c') && c.Is(16, 'o'));
}

// The label, the ':' and the one character after it are dropped (only the
// first character when there is no ':'); the ID is what follows, cut to four.
std::string CutSiteId(std::string_view line) {
    const std::size_t colon = line.find(':');
    const std::size_t start = colon == std::string_view::npos ? 1 : colon + 2;
    if (start >= line.size()) {
        return {};
    }
    return std::string(line.substr(start, kSiteIdLength));
}

}  // namespace

ClassifiedLine ClassifyRecordLine(std::string_view line) {
    const Chars c(line);
    ClassifiedLine out;
    if (IsTypeLine(c)) {
        out.kind = LineKind::TypeLine;
        out.language = TypeLineLanguage(c);
    } else if (IsDownloadTimeLine(c)) {
        out.kind = LineKind::DownloadTime;
    } else if (IsPeriodStartLine(c)) {
        out.kind = LineKind::PeriodStart;
    } else if (IsPeriodEndLine(c)) {
        out.kind = LineKind::PeriodEnd;
    } else if (IsSiteLine(c)) {
        out.kind = LineKind::Site;
        out.siteId = CutSiteId(line);
    } else if (IsRecordLine(c)) {
        out.kind = LineKind::Record;
        for (int col = 1; col < kColumnCount; ++col) {
            const auto index = static_cast<std::size_t>(col);
            out.cells[index] = CutSlice(line, kRecordSlices[index]);
        }
    } else if (IsEndOfDataLine(c)) {
        out.kind = LineKind::EndOfData;
    } else if (IsNoDataLine(c)) {
        out.kind = LineKind::NoData;
    }
    return out;
}

std::string TrimLeadingBlanks(std::string_view line) {
    std::size_t start = 0;
    while (start < line.size() && static_cast<unsigned char>(line[start]) <= 0x20) {
        ++start;
    }
    return std::string(line.substr(start));
}

}  // namespace tav::records
