#include "link/Exchange.h"

#include <algorithm>

#include "link/CommPort.h"
#include "platform/Tick.h"

namespace tav::link {
namespace {

constexpr std::uint8_t kCR = 13;
constexpr std::uint8_t kLF = 10;

// Sends the frame and returns the tick right after its last byte, where the
// settle wait starts.
std::uint32_t SendAndMark(TCommPort& port, RxBuffer& rx, std::string_view template24) {
    SendCommandFrame(port, rx, MakeFrame(template24));
    return GetTickCount();
}

}  // namespace

Frame MakeFrame(std::string_view template24) {
    Frame frame{};
    frame.fill('X');
    const std::size_t n = std::min<std::size_t>(template24.size(), 24);
    std::copy_n(template24.begin(), n, frame.begin());
    frame[24] = kCR;
    frame[25] = kLF;
    return frame;
}

std::optional<Frame> MakePeriodFrame(std::string_view from, std::string_view to) {
    if (from.size() != 10 || to.size() != 10) {
        return std::nullopt;
    }
    Frame frame = MakeFrame(kPeriodTemplate);
    // Each date travels as DDMMYYYY: day at 3/12, month at 5/14, year at 7/16.
    const auto put = [&frame](std::size_t at, std::string_view date) {
        frame[at + 0] = static_cast<std::uint8_t>(date[8]);
        frame[at + 1] = static_cast<std::uint8_t>(date[9]);
        frame[at + 2] = static_cast<std::uint8_t>(date[5]);
        frame[at + 3] = static_cast<std::uint8_t>(date[6]);
        for (std::size_t i = 0; i < 4; ++i) {
            frame[at + 4 + i] = static_cast<std::uint8_t>(date[i]);
        }
    };
    put(3, from);
    put(12, to);
    return frame;
}

void DrainInput(TCommPort& port, RxBuffer& rx) {
    const std::uint32_t t0 = GetTickCount();
    while (port.BytesWaiting() != 0) {
        port.ReadBuffer(rx.data(), static_cast<unsigned>(rx.size()));
        if (TicksSince(t0) > kDrainLimitMs) {
            break;
        }
    }
}

void SendCommandFrame(TCommPort& port, RxBuffer& rx, const Frame& frame) {
    DrainInput(port, rx);
    for (const std::uint8_t byte : frame) {
        port.WriteByte(byte);
    }
}

bool Identify(TCommPort& port, RxBuffer& rx) {
    const std::uint32_t sent = SendAndMark(port, rx, kIdentifyTemplate);
    WaitUntilElapsed(sent, kIdentifySettleMs);
    if (port.BytesWaiting() < 6) {
        return false;
    }
    std::array<std::uint8_t, 6> reply{};
    if (port.ReadBuffer(reply.data(), 6) < 6) {
        return false;
    }
    return reply[0] == 'Z' && reply[1] == 'G' && reply[2] == 'R' && reply[3] == 'Z';
}

bool ReadTypeLine(TCommPort& port, RxBuffer& rx, std::string* line) {
    const std::uint32_t t0 = SendAndMark(port, rx, kTypeTemplate);
    std::string kept;
    bool gotLineEnd = false;
    // The limit runs from the end of sending and is not moved by received
    // bytes, so a welder that talks on without a line end cannot hold the
    // search here.
    while (!gotLineEnd && TicksSince(t0) <= kTypeLineLimitMs) {
        if (port.BytesWaiting() == 0) {
            CurrentClock().Sleep(kWaitSliceMs);
            continue;
        }
        std::uint8_t byte = 0;
        if (!port.ReadByte(byte)) {
            continue;
        }
        // A line longer than the buffer is read on to its LF; only its
        // beginning is kept.
        if (kept.size() < kTypeLineMax) {
            kept.push_back(static_cast<char>(byte));
        }
        gotLineEnd = byte == kLF;
    }
    if (line != nullptr) {
        *line = std::move(kept);
    }
    return gotLineEnd;
}

int QueryRecordCount(bool connected, TCommPort& port, RxBuffer& rx) {
    if (!connected || !port.IsOpen()) {
        return -1;
    }
    const std::uint32_t sent = SendAndMark(port, rx, kCountTemplate);
    WaitUntilElapsed(sent, kSettleMs);
    if (port.BytesWaiting() < 6) {
        return -1;
    }
    std::array<std::uint8_t, 6> b{};
    if (port.ReadBuffer(b.data(), 6) < 6) {
        return -1;
    }
    if (b[4] != kCR || b[5] != kLF) {
        return -1;
    }
    // The welder's digits are taken as they come: each byte as a signed
    // 8-bit value minus '0', with no test that it is a digit.
    const auto digit = [&b](std::size_t i) { return static_cast<std::int8_t>(b[i]) - 48; };
    return 1000 * digit(0) + 100 * digit(1) + 10 * digit(2) + digit(3);
}

EraseReply EraseMemory(TCommPort& port, RxBuffer& rx) {
    const std::uint32_t sent = SendAndMark(port, rx, kEraseTemplate);
    WaitUntilElapsed(sent, kSettleMs);
    if (port.BytesWaiting() < 4) {
        return EraseReply::NoAnswer;
    }
    if (port.ReadBuffer(rx.data(), 4) < 4) {
        return EraseReply::NoAnswer;
    }
    const bool ok = rx[0] == 'O' && rx[1] == 'K' && rx[2] == kCR && rx[3] == kLF;
    return ok ? EraseReply::Erased : EraseReply::Refused;
}

}  // namespace tav::link
