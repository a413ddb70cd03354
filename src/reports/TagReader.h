// Reading tagged values back out of a report file's lines: each value stands
// between a start tag and an end tag on one line, and the search walks
// forward through the lines from a cursor.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace tav::reports {

struct TagCursors {
    // Line at which the next search starts; an import sets it to 0.
    std::int32_t TagCursor = 0;
    // Line of the last successful search; never reset by an import.
    std::int32_t PreviousTagCursor = 0;
};

// The text between `startTag` and `endTag` on the first line at or after
// the tag cursor that holds both (the end tag searched from the start of
// that line); empty when the end tag stands before or inside the start tag.
// Found: PreviousTagCursor = the line, TagCursor = the line + 1.
// Not found: empty, and TagCursor goes back to PreviousTagCursor.
std::string ExtractTaggedText(const std::vector<std::string>& lines, TagCursors& cursors,
                              std::string_view startTag, std::string_view endTag);

}  // namespace tav::reports
