#include "reports/HtmlImport.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <charconv>
#include <cmath>

#include "reports/HtmlReport.h"

namespace tav::reports {
namespace {

std::string Tagged(const std::vector<std::string>& lines, TagCursors& cursors,
                   std::string_view startTag, std::string_view endTag) {
    return UnescapeHtmlText(ExtractTaggedText(lines, cursors, startTag, endTag));
}

std::string CellEndTag(std::string_view tag) {
    return "</" + std::string(tag) + ">";
}

std::string CellStartTag(std::string_view tag) {
    return "<" + std::string(tag) + ">";
}

}  // namespace

std::optional<std::int32_t> ParseDecimal(std::string_view text) {
    std::size_t digits = 0;
    if (!text.empty() && (text[0] == '-' || text[0] == '+')) {
        digits = 1;
    }
    if (digits == text.size()) {
        return std::nullopt;
    }
    for (std::size_t i = digits; i < text.size(); ++i) {
        if (text[i] < '0' || text[i] > '9') {
            return std::nullopt;
        }
    }
    // from_chars takes a '-' but no '+'.
    const std::string_view number = text[0] == '+' ? text.substr(1) : text;
    std::int32_t value = 0;
    const auto [end, ec] = std::from_chars(number.data(), number.data() + number.size(), value);
    if (ec != std::errc() || end != number.data() + number.size()) {
        return std::nullopt;
    }
    return value;
}

std::int8_t LanguageFromMarker(std::string_view text, std::uint8_t interfaceLanguage) {
    const auto fallback = static_cast<std::int8_t>(interfaceLanguage == 0 ? 0 : 1);
    if (text.empty()) {
        return fallback;
    }
    const std::optional<std::int32_t> value = ParseDecimal(text);
    if (!value) {
        return -1;
    }
    // The language is kept in one signed byte: only the lowest 8 bits count.
    const auto low = static_cast<std::int8_t>(static_cast<std::uint8_t>(*value & 0xFF));
    return low >= 0 && low <= 4 ? low : fallback;
}

int ImportProgressPercent(int rowsImported, std::int32_t markerRowCount) {
    if (markerRowCount == 0) {
        return 0;
    }
    const double percent =
        static_cast<double>(rowsImported + 2) / static_cast<double>(markerRowCount) * 100.0;
    if (!(percent > 0.0)) {
        return 0;
    }
    if (percent >= 100.0) {
        return 100;
    }
    return static_cast<int>(std::trunc(percent));
}

HtmlImportResult ImportHtmlReport(const std::vector<std::string>& lines, TagCursors& cursors,
                                  std::uint8_t interfaceLanguage, const ImportProgress& progress) {
    HtmlImportResult result;
    cursors.TagCursor = 0;

    const std::string marker =
        ExtractTaggedText(lines, cursors, kReportMarkerStart, kReportMarkerEnd);
    if (marker.empty()) {
        return result;
    }
    result.IsReport = true;
    result.MarkerRowCount = ParseDecimal(marker).value_or(0);

    result.DocumentLanguage = LanguageFromMarker(
        ExtractTaggedText(lines, cursors, kLanguageMarkerStart, kLanguageMarkerEnd),
        interfaceLanguage);

    result.CompanyName = Tagged(lines, cursors, kCompanyStart, kCompanyEnd);
    result.TypeLine = Tagged(lines, cursors, kTypeLineStart, kTypeLineEnd);
    result.DownloadTime = Tagged(lines, cursors, kDownloadTimeStart, kDownloadTimeEnd);
    result.PeriodFrom = Tagged(lines, cursors, kPeriodFromStart, kPeriodFromEnd);
    result.PeriodTo = Tagged(lines, cursors, kPeriodToStart, kPeriodToEnd);

    std::array<std::string, records::kColumnCount> startTags;
    std::array<std::string, records::kColumnCount> endTags;
    for (std::size_t c = 1; c < kCellTags.size(); ++c) {
        startTags[c] = CellStartTag(kCellTags[c]);
        endTags[c] = CellEndTag(kCellTags[c]);
    }

    // The line of the previous row's site-ID comment.
    std::int32_t previousSiteLine = -1;
    for (;;) {
        // A site-ID comment with nothing in it, or none left, ends the rows.
        std::string siteId = ExtractTaggedText(lines, cursors, kSiteIdStart, kSiteIdEnd);
        if (siteId.empty()) {
            break;
        }
        // So does finding the previous row's comment again: when no cell tag
        // follows it, every failed search goes back to that line, and the
        // same row would be read again and again without end.
        if (cursors.PreviousTagCursor <= previousSiteLine) {
            break;
        }
        previousSiteLine = cursors.PreviousTagCursor;
        records::GridRow& row = result.Rows.emplace_back();
        row[0] = UnescapeHtmlText(siteId);
        for (std::size_t c = 1; c < row.size(); ++c) {
            row[c] = Tagged(lines, cursors, startTags[c], endTags[c]);
        }
        if (progress) {
            progress(static_cast<int>(result.Rows.size()), result.MarkerRowCount);
        }
    }
    return result;
}

void LoadRowsIntoGrid(const std::vector<records::GridRow>& rows, records::GridData& grid) {
    records::GridObserver* observer = grid.Observer();
    grid.SetObserver(nullptr);
    const int oldCount = grid.RowCount();
    if (rows.empty()) {
        grid.Reset();
    } else {
        grid.SetRowCount(static_cast<int>(rows.size()) + 1);
        for (std::size_t i = 0; i < rows.size(); ++i) {
            for (int c = 0; c < records::kColumnCount; ++c) {
                grid.SetCell(c, static_cast<int>(i) + 1, rows[i][static_cast<std::size_t>(c)]);
            }
        }
    }
    grid.SetObserver(observer);
    if (observer != nullptr) {
        if (grid.RowCount() != oldCount) {
            observer->RowCountChanged(oldCount, grid.RowCount());
        }
        observer->Refreshed();
    }
}

std::vector<std::string> SplitLines(std::string_view bytes) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < bytes.size()) {
        std::size_t end = bytes.find('\n', start);
        const std::size_t next = end == std::string_view::npos ? bytes.size() : end + 1;
        if (end == std::string_view::npos) {
            end = bytes.size();
        }
        std::string_view line = bytes.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') {
            line.remove_suffix(1);
        }
        lines.emplace_back(line);
        start = next;
    }
    return lines;
}

bool LoadFileLines(const std::string& path, std::vector<std::string>& lines, int* error) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        if (error != nullptr) {
            *error = errno;
        }
        return false;
    }
    std::string bytes;
    struct stat st {};
    if (::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && st.st_size > 0) {
        bytes.reserve(static_cast<std::size_t>(st.st_size));
    }
    char buffer[65536];
    for (;;) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n > 0) {
            bytes.append(buffer, static_cast<std::size_t>(n));
            continue;
        }
        if (n == 0) {
            break;
        }
        if (errno == EINTR) {
            continue;
        }
        const int readError = errno;
        ::close(fd);
        if (error != nullptr) {
            *error = readError;
        }
        return false;
    }
    ::close(fd);
    lines = SplitLines(bytes);
    return true;
}

}  // namespace tav::reports
