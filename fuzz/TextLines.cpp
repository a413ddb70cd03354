// The bytes of a text download through the text view's line assembly, cut
// into reads as the port might deliver them.
#include <algorithm>
#include <string>
#include <vector>

#include "FuzzTargets.h"
#include "link/TextReception.h"

namespace tav::fuzz {
namespace {

using tav::link::TextDownloadKind;

class Lines final : public tav::link::TextLineSink {
public:
    void AddLine(std::string_view line) override { lines.emplace_back(line); }
    std::vector<std::string> lines;
};

// Feeds `bytes` in reads whose lengths follow `seed`; returns the lines and
// leaves the unfinished line in `rest`.
std::vector<std::string> Assemble(TextDownloadKind kind, std::string_view bytes,
                                  std::uint32_t seed, std::string& rest) {
    Lines sink;
    rest.clear();
    std::size_t at = 0;
    while (at < bytes.size()) {
        seed = seed * 1103515245u + 12345u;
        const std::size_t length = std::min<std::size_t>(1 + (seed >> 16) % 97, bytes.size() - at);
        const auto* read = reinterpret_cast<const std::uint8_t*>(bytes.data() + at);
        const std::size_t linesBefore = sink.lines.size();
        const bool received = tav::link::AssembleTextLines(
            kind, read, static_cast<unsigned>(length), rest, sink);
        const bool chunkEnd = kind == TextDownloadKind::WholeMemory && read[0] == 26;
        FUZZ_CHECK(received == !chunkEnd);
        if (chunkEnd) {
            FUZZ_CHECK(sink.lines.size() == linesBefore + 1);
        }
        at += length;
    }
    return std::move(sink.lines);
}

}  // namespace

void TextLines(const std::uint8_t* data, std::size_t size) {
    if (size == 0) {
        return;
    }
    const TextDownloadKind kind =
        (data[0] & 1) != 0 ? TextDownloadKind::WholeMemory : TextDownloadKind::AllFusions;
    const std::string_view bytes(reinterpret_cast<const char*>(data) + 1, size - 1);
    std::string rest;
    const std::vector<std::string> lines = Assemble(kind, bytes, data[0], rest);

    for (const std::string& line : lines) {
        FUZZ_CHECK(line.find_first_of("\r\n") == std::string::npos);
        if (kind == TextDownloadKind::AllFusions) {
            FUZZ_CHECK(!line.empty());
            for (const char c : line) {
                FUZZ_CHECK(c >= 32 && c <= 124);
            }
        } else {
            FUZZ_CHECK(line.find('\x1a') == std::string::npos);
        }
    }
    FUZZ_CHECK(rest.find_first_of("\r\n") == std::string::npos);

    if (kind == TextDownloadKind::AllFusions) {
        // Without the chunk end, how the bytes were cut into reads changes
        // nothing.
        std::string wholeRest;
        const std::vector<std::string> whole =
            Assemble(kind, bytes, static_cast<std::uint32_t>(data[0]) + 7919u, wholeRest);
        FUZZ_CHECK(whole == lines);
        FUZZ_CHECK(wholeRest == rest);
    }
}

}  // namespace tav::fuzz
