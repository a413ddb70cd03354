#include "reports/TagReader.h"

#include <algorithm>

namespace tav::reports {

std::string ExtractTaggedText(const std::vector<std::string>& lines, TagCursors& cursors,
                              std::string_view startTag, std::string_view endTag) {
    const auto lineCount = static_cast<std::int64_t>(lines.size());
    // The cursors only ever hold line indexes; a negative one reads from the top.
    cursors.TagCursor = std::max<std::int32_t>(cursors.TagCursor, 0);
    while (cursors.TagCursor < lineCount) {
        const std::string& line = lines[static_cast<std::size_t>(cursors.TagCursor)];
        // Positions counted from 1, 0 when absent; the end tag is searched
        // from the start of the line, not after the start tag.
        const std::size_t start = line.find(startTag);
        if (start != std::string::npos) {
            const std::size_t end = line.find(endTag);
            if (end != std::string::npos) {
                const auto p = static_cast<std::int64_t>(start) + 1;
                const auto q = static_cast<std::int64_t>(end) + 1;
                const std::int64_t count = q - p - static_cast<std::int64_t>(startTag.size());
                std::string result;
                if (count > 0) {
                    result = line.substr(start + startTag.size(), static_cast<std::size_t>(count));
                }
                cursors.PreviousTagCursor = cursors.TagCursor;
                ++cursors.TagCursor;
                return result;
            }
        }
        ++cursors.TagCursor;
    }
    cursors.TagCursor = cursors.PreviousTagCursor;
    return {};
}

}  // namespace tav::reports
