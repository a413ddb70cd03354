#include "link/TextReception.h"

#include <algorithm>

#include "link/CommPort.h"
#include "platform/Tick.h"

namespace tav::link {
namespace {

constexpr std::uint8_t kCR = 13;
constexpr std::uint8_t kLF = 10;
constexpr std::uint8_t kEndOfChunk = 26;

// The all-fusions report shows the characters 32 to 124; everything else,
// the bytes 128 to 255 included, becomes a blank.
char Filtered(std::uint8_t byte) {
    const auto value = static_cast<std::int8_t>(byte);
    return value < 32 || value > 124 ? ' ' : static_cast<char>(byte);
}

}  // namespace

std::string_view TextDownloadTemplate(TextDownloadKind kind) {
    return kind == TextDownloadKind::AllFusions ? kAllRecordsTemplate : kMemoryTextTemplate;
}

bool AssembleTextLines(TextDownloadKind kind, const std::uint8_t* bytes, unsigned count,
                       std::string& lineAccumulator, TextLineSink& sink) {
    const bool allFusions = kind == TextDownloadKind::AllFusions;
    bool received = false;
    for (unsigned i = 0; i < count; ++i) {
        const std::uint8_t byte = bytes[i];
        if (byte == kCR || byte == kLF) {
            if (!lineAccumulator.empty()) {
                sink.AddLine(lineAccumulator);
            }
            lineAccumulator.clear();
        } else if (!allFusions && byte == kEndOfChunk) {
            // Closes the line, even an empty one, and drops the rest of this
            // read; it does not count as a received byte.
            sink.AddLine(lineAccumulator);
            lineAccumulator.clear();
            break;
        } else {
            lineAccumulator.push_back(allFusions ? Filtered(byte) : static_cast<char>(byte));
        }
        received = true;
    }
    return received;
}

void ReceiveTextLines(TCommPort& port, RxBuffer& rx, TextDownloadKind kind,
                      std::string& lineAccumulator, TextLineSink& sink) {
    const bool allFusions = kind == TextDownloadKind::AllFusions;
    const std::uint32_t limit = allFusions ? kAllFusionsSilenceMs : kWholeMemorySilenceMs;
    lineAccumulator.clear();
    std::uint32_t silenceMark = GetTickCount();
    for (;;) {
        const unsigned n = std::min<unsigned>(port.BytesWaiting(), kRxBufferSize);
        if (n == 0) {
            const std::uint32_t silent = TicksSince(silenceMark);
            if (allFusions && silent >= limit) {
                return;
            }
            sink.Waiting(silent, limit);
            // Nothing to read: give the processor away for a moment.
            CurrentClock().Sleep(kWaitSliceMs);
        } else {
            const unsigned got = port.ReadBuffer(rx.data(), n);
            if (AssembleTextLines(kind, rx.data(), got, lineAccumulator, sink)) {
                silenceMark = GetTickCount();
            }
        }
        if (!allFusions && TicksSince(silenceMark) > limit) {
            return;
        }
    }
}

void RunTextDownload(TCommPort& port, RxBuffer& rx, TextDownloadKind kind,
                     std::string& lineAccumulator, TextLineSink& sink) {
    SendCommandFrame(port, rx, MakeFrame(TextDownloadTemplate(kind)));
    WaitMs(kSettleMs);
    ReceiveTextLines(port, rx, kind, lineAccumulator, sink);
}

}  // namespace tav::link
