#include "records/TableReception.h"

#include <cstring>

#include "link/CommPort.h"
#include "platform/Tick.h"
#include "records/RecordTable.h"

namespace tav::records {

ReceptionEnd ReceiveTableLines(TCommPort& port, link::RxBuffer& rx, TableLineSink& sink) {
    std::size_t position = 0;
    for (;;) {
        std::uint8_t byte = 0;
        // Waits up to about 251 ms when nothing arrives.
        const bool got = port.ReadByte(byte);
        if (got && byte != 13 && byte != 10) {
            rx[position] = byte;
            // An overlong line wraps: its beginning is overwritten.
            position = position + 1 == rx.size() ? 0 : position + 1;
        }
        if (got && byte == 10) {
            const auto* start = reinterpret_cast<const char*>(rx.data());
            const void* zero = std::memchr(start, 0, position);
            const std::size_t length =
                zero != nullptr ? static_cast<std::size_t>(static_cast<const char*>(zero) - start)
                                : position;
            const std::uint8_t result = sink.ParseRecordLine(std::string_view(start, length));
            if (result == kLineEndOfData) {
                return ReceptionEnd::EndOfData;
            }
            if (result == kLineNoData) {
                return ReceptionEnd::NoData;
            }
            position = 0;
        }
        if (TicksSince(sink.LastLineTick()) > kTableSilenceMs) {
            return ReceptionEnd::Silence;
        }
        sink.Pump();
    }
}

}  // namespace tav::records
