// The receive loop of both table downloads, shared by the window and the
// command-line tool: one byte per read, bytes other than CR and LF stored in
// the 10000-byte line buffer (wrapping to its start when a line is longer),
// LF ends a line and hands it to the sink, and more than 1000 ms since the
// last recognised line counts as silence.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

#include "link/Exchange.h"

class TCommPort;

namespace tav::records {

inline constexpr std::uint32_t kTableSilenceMs = 1000;

// Receives what the loop assembles.
class TableLineSink {
public:
    virtual ~TableLineSink() = default;
    // One complete line: the bytes stored since the previous line end, cut at
    // a zero byte. Returns kLineGoOn, kLineEndOfData or kLineNoData.
    virtual std::uint8_t ParseRecordLine(std::string_view line) = 0;
    // The tick of the last recognised line; the silence limit runs from it.
    virtual std::uint32_t LastLineTick() const = 0;
    // Called between reads, so the caller can repaint and show progress
    // (cheaply: it is called for every byte).
    virtual void Pump() {}
    // Called by the shared download routine once the reception starts.
    virtual void ReceptionStarted() {}
};

enum class ReceptionEnd { EndOfData, NoData, Silence };

// The line assembly of the receive loop, without the port, over the receive
// buffer: bytes other than CR and LF are stored (an overlong line wraps to
// the buffer's start), and LF completes a line.
class TableLineAssembler {
public:
    explicit TableLineAssembler(link::RxBuffer& rx) : rx_(rx) {}
    // Takes one received byte. At LF: the line stored since the previous
    // LF, cut at a zero byte (a view into the buffer, valid until the next
    // byte), and the next line starts at the buffer's start.
    std::optional<std::string_view> Take(std::uint8_t byte);

private:
    link::RxBuffer& rx_;
    std::size_t position_ = 0;
};

// Runs from the reception start (write position 0) to the end of data, the
// no-data line or silence. Port errors (ECommError) pass through.
ReceptionEnd ReceiveTableLines(TCommPort& port, link::RxBuffer& rx, TableLineSink& sink);

}  // namespace tav::records
