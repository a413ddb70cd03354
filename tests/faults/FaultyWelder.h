// What the link fault tests share: the faulty simulated welder on a
// pseudo-terminal published as COM3, fault sets, the welder's own answers to
// compare with, the download sinks as the window runs them, and the check
// that the welder is found and counted again once the fault is over.
#pragma once

#include <QtTest>

#include <optional>
#include <string>
#include <vector>

#include "core/SimHarness.h"
#include "core/TestClock.h"
#include "link/CommPort.h"
#include "link/Exchange.h"
#include "link/TextReception.h"
#include "records/GridData.h"
#include "records/LineClassifier.h"
#include "records/RecordTable.h"
#include "records/TableReception.h"
#include "sim/Lines.h"
#include "sim/Records.h"
#include "sim/Welder.h"

namespace tav::test::faults {

using sim::Faults;

inline constexpr int kRecords = 8;
inline const char* const kStamp = "2009.05.04 12:00";

inline tav::sim::RecordStore Store() {
    return tav::sim::GenerateRecords({.count = kRecords, .sites = 2});
}

// The welder's answer to a command, one entry per line without its CR LF
// (the memory dump's closing byte 26 left out).
inline std::vector<std::string> AnswerLines(std::string_view templ) {
    tav::sim::Welder welder(Store());
    welder.SetDownloadTime(kStamp);
    const tav::link::Frame frame = tav::link::MakeFrame(templ);
    std::vector<std::string> lines;
    for (const std::string& piece :
         welder.Answer(std::string(frame.begin(), frame.end()), Faults{}).pieces) {
        if (piece.ends_with("\r\n")) {
            lines.push_back(piece.substr(0, piece.size() - 2));
        }
    }
    return lines;
}

// Record lines among the first `count` lines of the table answer.
inline int RecordsInFirstLines(int count) {
    const std::vector<std::string> lines = AnswerLines(tav::link::kAllRecordsTemplate);
    int records = 0;
    for (int i = 0; i < count && i < static_cast<int>(lines.size()); ++i) {
        records += tav::records::ClassifyRecordLine(lines[static_cast<std::size_t>(i)]).kind ==
                   tav::records::LineKind::Record;
    }
    return records;
}

inline Faults HangUpAfter(int line) {
    Faults f;
    f.hangUpAfterLine = line;
    return f;
}
inline Faults StallAfter(int line, std::uint32_t ms) {
    Faults f;
    f.stallAfterLine = line;
    f.stallMs = ms;
    return f;
}
inline Faults OverlongAfter(int line, std::size_t length) {
    Faults f;
    f.overlongAfterLine = line;
    f.overlongLength = length;
    return f;
}
inline Faults GarbageLines(std::size_t length) {
    Faults f;
    f.garbageLineLength = length;
    return f;
}
inline Faults GarbagePrefix(std::size_t length) {
    Faults f;
    f.garbagePrefix = length;
    return f;
}
inline Faults AnswerAs(const std::string& command, const std::string& other) {
    Faults f;
    f.answerAs[command] = other;
    return f;
}
inline Faults Raw(const std::string& command, const std::string& bytes) {
    Faults f;
    f.rawReply[command] = bytes;
    return f;
}
inline Faults Silent() {
    Faults f;
    f.silent = true;
    return f;
}
inline Faults Talker() {
    Faults f;
    f.talker = true;
    return f;
}

// The table download's sink as the window runs it: every line applied to
// the record table.
class TableSink final : public tav::records::TableLineSink {
public:
    TableSink() {
        state.NextRecordRow = 1;
        state.LastLineTick = tav::GetTickCount();
    }
    std::uint8_t ParseRecordLine(std::string_view line) override {
        tav::records::LineEffects effects;
        return tav::records::ApplyRecordLine(state, grid, line, tav::GetTickCount(), effects);
    }
    std::uint32_t LastLineTick() const override { return state.LastLineTick; }

    tav::records::GridData grid;
    tav::records::RecordTableState state;
};

class TextSink final : public tav::link::TextLineSink {
public:
    void AddLine(std::string_view line) override { lines.emplace_back(line); }
    std::vector<std::string> lines;
};

// The port on the welder's line, opened.
struct Link {
    Link() {
        port.SetPortName("COM3");
        port.Open();
    }
    TCommPort port;
    tav::link::RxBuffer rx{};
};

// The welder of one test row: 8 generated records on two sites, a fixed
// download time, published as COM3.
class FaultyWelder {
public:
    FaultyWelder() {
        SimHarness::Options options;
        options.records = Store();
        options.downloadTime = kStamp;
        harness_.emplace(options);
    }
    sim::WelderServer& Welder() { return harness_->Welder(); }

    // The fault over: faults off, the memory as it was, and after a hang-up
    // the cable plugged in again (a fresh line behind the same name).
    void Restore() {
        harness_->Welder().SetTalker(false);
        harness_->Welder().WaitIdle(5000);
        harness_->Welder().ClearFaults();
        harness_->Welder().SetRecords(Store());
        if (harness_->Welder().HungUp()) {
            harness_->Welder().Stop();
            harness_->Welder().Start();
            harness_->PublishWelder(3);
        }
    }

    // Restore, then the welder answers identify, its type line and its
    // record count on a newly opened port.
    void CheckReconnects() {
        Restore();
        Link link;
        // As the connection search does, pass after pass: a reply still on
        // its way from before the fault can spoil one identify.
        bool found = false;
        for (int pass = 0; pass < 3 && !found; ++pass) {
            found = tav::link::Identify(link.port, link.rx);
        }
        QVERIFY(found);
        QVERIFY(tav::link::ReadTypeLine(link.port, link.rx));
        QCOMPARE(tav::link::QueryRecordCount(true, link.port, link.rx), kRecords);
    }

private:
    std::optional<SimHarness> harness_;
};

}  // namespace tav::test::faults
