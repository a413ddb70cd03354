// The welder command exchange: fixed 26-byte command frames, the drain before
// each command, the settle waits, and the short replies (identify, welder
// type, record count, erase acknowledgement). The program always asks; the
// welder only answers. Port errors (ECommError) pass through unchanged.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

class TCommPort;

namespace tav::link {

// Size of the receive buffer every drain and bulk read uses.
inline constexpr std::size_t kRxBufferSize = 10000;
using RxBuffer = std::array<std::uint8_t, kRxBufferSize>;

// 24 printable characters followed by CR LF.
using Frame = std::array<std::uint8_t, 26>;

// The seven templates (24 characters each).
inline constexpr std::string_view kIdentifyTemplate = "TZAXXXXXXXXXXXXXXXXXXXXX";
inline constexpr std::string_view kTypeTemplate = "TZBXXXXXXXXXXXXXXXXXXXXX";
inline constexpr std::string_view kCountTemplate = "TZFXXXXXXXXXXXXXXXXXXXXX";
inline constexpr std::string_view kAllRecordsTemplate = "TZCXXXXXXXX-XXXXXXXXXXXX";
inline constexpr std::string_view kPeriodTemplate = "TZDXXXXXXXX-XXXXXXXXXXXX";
inline constexpr std::string_view kMemoryTextTemplate = "TZKXXXXXXXX-XXXXXXXXXXXX";
inline constexpr std::string_view kEraseTemplate = "TZERASEXXXX-XXXXXXXXXXXX";

// Settle waits after sending (milliseconds).
inline constexpr std::uint32_t kIdentifySettleMs = 100;
inline constexpr std::uint32_t kSettleMs = 600;
inline constexpr std::uint32_t kTypeLineLimitMs = 600;
inline constexpr std::uint32_t kDrainLimitMs = 600;
// The type line buffer holds at most this many bytes, LF included.
inline constexpr std::size_t kTypeLineMax = 32;

// The frame for a template: its 24 characters, CR, LF.
Frame MakeFrame(std::string_view template24);

// The period frame: "TZD", DDMMYYYY of `from`, "-", DDMMYYYY of `to`,
// "XXXX", CR LF. Both dates must be year-month-day strings of exactly 10
// characters; anything else gives no frame (nothing is read past the end).
std::optional<Frame> MakePeriodFrame(std::string_view from, std::string_view to);

// Discards whatever the welder has queued: reads while bytes are waiting and
// stops once more than 600 ms have passed since the start (tested after
// each read, so one read that keeps receiving can run past it).
void DrainInput(TCommPort& port, RxBuffer& rx);

// DrainInput, then the 26 bytes with one WriteByte each. No settle wait.
void SendCommandFrame(TCommPort& port, RxBuffer& rx, const Frame& frame);

// Identify: "TZA", 100 ms, then at least 6 bytes waiting whose first four
// are "ZGRZ". Further bytes stay queued.
bool Identify(TCommPort& port, RxBuffer& rx);

// Welder type: "TZB", then bytes one at a time until LF, within 600 ms of
// the end of sending. True when the LF came in time. A longer line than the
// 32-byte buffer is read on to its LF; `line`, when given, receives the
// first 32 bytes (LF included when it fits).
bool ReadTypeLine(TCommPort& port, RxBuffer& rx, std::string* line = nullptr);

// The record count: -1 when not connected or the port is closed (nothing is
// sent), or when the reply is missing, short, or not ended by CR LF.
// Otherwise 1000*(b0-48) + 100*(b1-48) + 10*(b2-48) + (b3-48), each byte a
// signed 8-bit value, no digit test ("12A4" gives 1374).
int QueryRecordCount(bool connected, TCommPort& port, RxBuffer& rx);

enum class EraseReply {
    NoAnswer,  // fewer than 4 bytes after the settle wait
    Erased,    // "OK" CR LF
    Refused,   // 4 bytes, anything else
};
// "TZERASE", 600 ms, then the 4-byte acknowledgement read into rx.
EraseReply EraseMemory(TCommPort& port, RxBuffer& rx);

}  // namespace tav::link
