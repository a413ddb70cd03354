#include "records/TableReception.h"

#include <cstring>

#include "link/CommPort.h"
#include "platform/Tick.h"
#include "records/RecordTable.h"

namespace tav::records {

std::optional<std::string_view> TableLineAssembler::Take(std::uint8_t byte) {
    if (byte == 10) {
        const auto* start = reinterpret_cast<const char*>(rx_.data());
        const void* zero = std::memchr(start, 0, position_);
        const std::size_t length =
            zero != nullptr ? static_cast<std::size_t>(static_cast<const char*>(zero) - start)
                            : position_;
        position_ = 0;
        return std::string_view(start, length);
    }
    if (byte != 13) {
        rx_[position_] = byte;
        // An overlong line wraps: its beginning is overwritten.
        position_ = position_ + 1 == rx_.size() ? 0 : position_ + 1;
    }
    return std::nullopt;
}

ReceptionEnd ReceiveTableLines(TCommPort& port, link::RxBuffer& rx, TableLineSink& sink) {
    TableLineAssembler assembler(rx);
    for (;;) {
        std::uint8_t byte = 0;
        // Waits up to about 251 ms when nothing arrives.
        if (port.ReadByte(byte)) {
            if (const auto line = assembler.Take(byte)) {
                const std::uint8_t result = sink.ParseRecordLine(*line);
                if (result == kLineEndOfData) {
                    return ReceptionEnd::EndOfData;
                }
                if (result == kLineNoData) {
                    return ReceptionEnd::NoData;
                }
            }
        }
        if (TicksSince(sink.LastLineTick()) > kTableSilenceMs) {
            return ReceptionEnd::Silence;
        }
        sink.Pump();
    }
}

}  // namespace tav::records
