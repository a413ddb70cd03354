// The simulated welder's frame handling: bytes from the program cut into
// frames, answered under faults taken from the input, planned for delivery.
// A table answer sent without faults in its lines must read back, through
// the program's own line rules, as exactly the records the welder holds.
#include <array>
#include <random>
#include <string>
#include <vector>

#include "FuzzTargets.h"
#include "link/Exchange.h"
#include "records/GridData.h"
#include "records/RecordTable.h"
#include "records/TableReception.h"
#include "sim/Lines.h"
#include "sim/Records.h"
#include "sim/Welder.h"

namespace tav::fuzz {
namespace {

using namespace tav::sim;

constexpr std::array<std::string_view, 8> kCommands = {"TZA", "TZB", "TZF", "TZC",
                                                       "TZD", "TZK", "TZERASE", "XYZ"};

const RecordStore& Store() {
    static const RecordStore store = GenerateRecords({.count = 6, .sites = 2, .seed = 7});
    return store;
}

// The records a table answer of `command` to `frame` carries; nothing when
// the answer cannot be checked this way.
std::optional<std::size_t> ExpectedRecords(const std::string& command, std::string_view frame,
                                           const RecordStore& store) {
    if (command == "TZC") {
        return store.size();
    }
    if (command == "TZD") {
        const Period period = ParsePeriodFrame(frame.substr(0, 24));
        if (!period.from || !period.to) {
            return std::nullopt;
        }
        return RecordsInPeriod(store, *period.from, *period.to).size();
    }
    return std::nullopt;
}

// Runs the bytes through the table download's assembly and line rules; the
// number of records read, or nothing when no end line came.
std::optional<int> ReadTable(const std::string& bytes) {
    static tav::link::RxBuffer rx{};
    tav::records::TableLineAssembler assembler(rx);
    tav::records::GridData grid;
    tav::records::RecordTableState state;
    state.NextRecordRow = 1;
    for (const char c : bytes) {
        if (const auto line = assembler.Take(static_cast<std::uint8_t>(c))) {
            tav::records::LineEffects effects;
            if (ApplyRecordLine(state, grid, *line, 1, effects) != tav::records::kLineGoOn) {
                FUZZ_CHECK(state.TypeLineReceived);
                return state.RecordsParsed;
            }
        }
    }
    return std::nullopt;
}

}  // namespace

void WelderFrames(const std::uint8_t* data, std::size_t size) {
    if (size < 6) {
        return;
    }
    const std::uint8_t flags = data[0];
    Faults faults;
    faults.silent = (flags & 0x01) != 0;
    faults.noTypeLine = (flags & 0x02) != 0;
    faults.lowerCaseErase = (flags & 0x04) != 0;
    faults.countDelta = static_cast<std::int8_t>(data[1]);
    if ((flags & 0x08) != 0) {
        faults.answerAs[std::string(kCommands[data[2] % 8])] = std::string(kCommands[data[2] / 8 % 8]);
    }
    if ((flags & 0x10) != 0) {
        faults.rawReply[std::string(kCommands[data[2] / 64 % 4 + 2])] = "12A4\r\n";
    }
    faults.stallAfterLine = data[3] % 8 - 1;
    faults.stallMs = 5;
    faults.hangUpAfterLine = (flags & 0x20) != 0 ? data[3] / 8 % 12 : -1;
    faults.overlongAfterLine = data[4] % 16 - 1;
    faults.overlongLength = data[4] / 16 * 40;
    faults.garbageLineLength = (flags & 0x40) != 0 ? data[5] % 64 : 0;
    faults.garbagePrefix = (flags & 0x80) != 0 ? data[5] / 64 : 0;

    Welder welder(Store(), static_cast<Language>(data[5] % 4));
    welder.SetDownloadTime("2009.05.04 12:00");
    std::mt19937 rng(data[2]);
    FrameAssembler assembler;

    std::size_t at = 6;
    while (at < size) {
        // Cut the rest into pieces as a serial line would deliver them.
        const std::size_t length = std::min<std::size_t>(1 + data[at] % 40, size - at);
        const std::string_view piece(reinterpret_cast<const char*>(data) + at, length);
        at += length;
        for (const std::string& frame : assembler.Feed(piece)) {
            FUZZ_CHECK(frame.size() == 26);
            FUZZ_CHECK(frame.ends_with("\r\n"));
            const RecordStore before = welder.Records();
            const std::string command = CommandOf(frame);
            const Reply reply = welder.Answer(frame, faults);
            if (faults.silent || command.empty()) {
                FUZZ_CHECK(reply.pieces.empty());
                FUZZ_CHECK(welder.Records() == before);
                continue;
            }
            std::string sent;
            bool hungUp = false;
            for (const DeliveryStep& step : PlanDelivery(reply, faults, rng)) {
                FUZZ_CHECK(!hungUp);
                if (step.kind == DeliveryStep::Kind::Write) {
                    sent += step.bytes;
                } else if (step.kind == DeliveryStep::Kind::HangUp) {
                    hungUp = true;
                }
            }
            if (!reply.bulk || hungUp) {
                continue;
            }
            // A table answer whose lines were not tampered with reads back as
            // the welder's records; garbage lines and overlong lines between
            // them are never taken for the welder's own lines.
            const auto asked = faults.answerAs.find(command);
            const std::string effective =
                asked == faults.answerAs.end() ? command : CommandOf(asked->second);
            if (faults.rawReply.count(command) != 0 || faults.garbagePrefix > 0 ||
                asked != faults.answerAs.end()) {
                continue;
            }
            if (const auto expected = ExpectedRecords(effective, frame, before)) {
                const std::optional<int> read = ReadTable(sent);
                FUZZ_CHECK(read.has_value());
                FUZZ_CHECK(static_cast<std::size_t>(*read) == *expected);
            }
        }
    }
}

}  // namespace tav::fuzz
