// The receive loop of both text downloads, shared by the window and the
// command-line tool. The stream is cut into lines at CR or LF; empty lines
// are dropped.
//  - All fusions ("TZC"): bytes below 32 or above 124 become blanks; the
//    download ends when nothing is waiting and at least 600 ms have passed
//    since the last received byte.
//  - Whole memory ("TZK"): bytes unchanged; byte 26 closes the current line
//    (also an empty one) and drops the rest of that read; the download ends
//    after more than 10000 ms without a byte.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "link/Exchange.h"

class TCommPort;

namespace tav::link {

enum class TextDownloadKind { AllFusions, WholeMemory };

inline constexpr std::uint32_t kAllFusionsSilenceMs = 600;
inline constexpr std::uint32_t kWholeMemorySilenceMs = 10000;

class TextLineSink {
public:
    virtual ~TextLineSink() = default;
    // A completed line (Windows-1250 bytes).
    virtual void AddLine(std::string_view line) = 0;
    // Called while the loop waits with nothing arriving: how long the line
    // has been silent and the limit, so a caller can show a countdown.
    virtual void Waiting(std::uint32_t silentMs, std::uint32_t limitMs) {
        (void)silentMs;
        (void)limitMs;
    }
};

// The frame of a kind.
std::string_view TextDownloadTemplate(TextDownloadKind kind);

// The line assembly of the receive loop, without the port: takes the bytes
// of one read, adds them to `lineAccumulator` and hands every completed line
// to `sink`. True when at least one byte counted as received (the byte 26
// that ends a whole-memory chunk does not, nor anything after it in the
// same read, which is dropped).
bool AssembleTextLines(TextDownloadKind kind, const std::uint8_t* bytes, unsigned count,
                       std::string& lineAccumulator, TextLineSink& sink);

// The receive loop, run after the frame and the settle wait. Empties
// `lineAccumulator` first; a last line without its line end is left in it
// (and not shown). Port errors (ECommError) pass through.
void ReceiveTextLines(TCommPort& port, RxBuffer& rx, TextDownloadKind kind,
                      std::string& lineAccumulator, TextLineSink& sink);

// A whole text download, shared by the window and the command-line tool: the
// kind's frame, the settle wait, then the receive loop above.
void RunTextDownload(TCommPort& port, RxBuffer& rx, TextDownloadKind kind,
                     std::string& lineAccumulator, TextLineSink& sink);

}  // namespace tav::link
