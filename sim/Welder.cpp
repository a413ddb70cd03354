#include "sim/Welder.h"

#include <algorithm>
#include <cstdio>
#include <ctime>

namespace tav::sim {
namespace {

constexpr std::string_view kCrLf = "\r\n";
constexpr std::size_t kFrameText = 24;
constexpr std::size_t kFrameSize = 26;
// Bytes kept while waiting for a line end; more than this without one is
// garbage of which only the tail can still become a frame.
constexpr std::size_t kPendingLimit = 4096;

std::vector<std::string> WithLineEnds(std::vector<std::string> lines) {
    for (std::string& line : lines) {
        line += kCrLf;
    }
    return lines;
}

}  // namespace

std::string CommandOf(std::string_view frame) {
    if (frame.starts_with("TZERASE")) {
        return "TZERASE";
    }
    if (frame.size() >= 3 && frame.starts_with("TZ")) {
        const char c = frame[2];
        if (c == 'A' || c == 'B' || c == 'F' || c == 'C' || c == 'D' || c == 'K') {
            return std::string(frame.substr(0, 3));
        }
    }
    return {};
}

Welder::Welder(RecordStore store, Language language)
    : store_(std::move(store)), language_(language) {}

std::string Welder::DownloadTime() const {
    if (!stamp_.empty()) {
        return stamp_;
    }
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char buf[32];
    std::strftime(buf, sizeof buf, "%Y.%m.%d %H:%M", &local);
    return buf;
}

Reply Welder::Answer(std::string_view frame, const Faults& faults) {
    if (faults.silent) {
        return {};
    }
    const std::string command = CommandOf(frame);
    std::string effective(frame.substr(0, std::min(frame.size(), kFrameText)));
    std::string effectiveCommand = command;
    if (const auto it = faults.answerAs.find(command); it != faults.answerAs.end()) {
        effectiveCommand = CommandOf(it->second);
        effective = it->second + effective.substr(std::min(effective.size(), command.size()));
        effective.resize(std::max(effective.size(), kFrameText), 'X');
    }
    Reply reply = AnswerCommand(effectiveCommand, effective, faults);
    if (const auto it = faults.rawReply.find(command); it != faults.rawReply.end()) {
        reply.pieces = {it->second};
    }
    return reply;
}

Reply Welder::AnswerCommand(const std::string& command, std::string_view frame,
                            const Faults& faults) {
    Reply reply;
    if (command == "TZA") {
        reply.pieces = {"ZGRZ\r\n"};
    } else if (command == "TZB") {
        if (!faults.noTypeLine) {
            reply.pieces = {ShortTypeLine(language_) + std::string(kCrLf)};
        }
    } else if (command == "TZF") {
        const long long count = static_cast<long long>(store_.size()) + faults.countDelta;
        char buf[16];
        std::snprintf(buf, sizeof buf, "%04d\r\n",
                      static_cast<int>(std::clamp(count, 0LL, 9999LL)));
        reply.pieces = {buf};
    } else if (command == "TZC") {
        reply.bulk = true;
        reply.pieces = WithLineEnds(TableAnswer(store_, language_, DownloadTime()));
    } else if (command == "TZD") {
        reply.bulk = true;
        reply.pieces =
            WithLineEnds(TableAnswer(store_, language_, DownloadTime(), ParsePeriodFrame(frame)));
    } else if (command == "TZK") {
        reply.bulk = true;
        reply.pieces = WithLineEnds(MemoryDump(store_, language_, DownloadTime()));
        reply.pieces.emplace_back(1, kEndOfDump);
    } else if (command == "TZERASE") {
        store_.clear();
        reply.pieces = {faults.lowerCaseErase ? "ok\r\n" : "OK\r\n"};
    }
    return reply;
}

std::vector<std::string> FrameAssembler::Feed(std::string_view bytes) {
    std::vector<std::string> frames;
    for (const char b : bytes) {
        pending_ += b;
        if (b == '\n') {
            if (pending_.size() >= kFrameSize && pending_[pending_.size() - 2] == '\r') {
                frames.push_back(pending_.substr(pending_.size() - kFrameSize));
            }
            pending_.clear();
        } else if (pending_.size() > kPendingLimit) {
            pending_.erase(0, pending_.size() - (kFrameSize - 1));
        }
    }
    return frames;
}

std::string GarbageBytes(std::size_t count, std::mt19937& rng) {
    // Control bytes and the upper half: never a letter, digit or punctuation
    // the program looks for, and never a line end or the dump's byte 26.
    static constexpr std::string_view kControl =
        "\x01\x02\x03\x04\x05\x06\x07\x08\x09\x0B\x0C\x0E\x0F\x10\x11\x12\x13\x14\x15\x16"
        "\x17\x18\x19\x1B\x1C\x1D\x1E\x1F\x7F";
    std::string out;
    out.reserve(count);
    const std::uint32_t choices = static_cast<std::uint32_t>(kControl.size()) + 128;
    for (std::size_t i = 0; i < count; ++i) {
        const std::uint32_t pick = rng() % choices;
        out += pick < kControl.size() ? kControl[pick]
                                      : static_cast<char>(0x80 + (pick - kControl.size()));
    }
    return out;
}

std::vector<DeliveryStep> PlanDelivery(const Reply& reply, const Faults& faults,
                                       std::mt19937& rng) {
    std::vector<DeliveryStep> steps;
    if (reply.pieces.empty()) {
        return steps;
    }
    auto write = [&](std::string bytes) {
        steps.push_back({DeliveryStep::Kind::Write, std::move(bytes), 0});
    };
    const std::size_t n = reply.pieces.size();
    for (std::size_t sent = 0; sent <= n; ++sent) {
        const auto k = static_cast<int>(sent);
        if (reply.bulk) {
            if (faults.hangUpAfterLine == k) {
                steps.push_back({DeliveryStep::Kind::HangUp, {}, 0});
                return steps;
            }
            if (faults.stallAfterLine == k && sent < n && faults.stallMs > 0) {
                steps.push_back({DeliveryStep::Kind::Pause, {}, faults.stallMs});
            }
            if (faults.overlongAfterLine == k) {
                write(std::string(faults.overlongLength, '#') + std::string(kCrLf));
            }
            if (faults.garbageLineLength > 0 && sent > 0 && sent < n) {
                write(GarbageBytes(faults.garbageLineLength, rng) + std::string(kCrLf));
            }
        }
        if (sent < n) {
            std::string piece = reply.pieces[sent];
            if (sent == 0 && faults.garbagePrefix > 0) {
                piece.insert(0, GarbageBytes(faults.garbagePrefix, rng));
            }
            write(std::move(piece));
        }
    }
    return steps;
}

}  // namespace tav::sim
