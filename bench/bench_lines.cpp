// The record-line rules on 10000 record lines of the simulated welder's
// table answer: classifying each line alone, and applying each to a record
// table as a download does.
#include <string>
#include <vector>

#include "BenchOut.h"
#include "records/GridData.h"
#include "records/LineClassifier.h"
#include "records/RecordTable.h"
#include "sim/Lines.h"
#include "sim/Records.h"

int main() {
    constexpr int kLines = 10000;
    const tav::sim::RecordStore store =
        tav::sim::GenerateRecords({.count = kLines, .sites = 100, .days = 3000});
    std::vector<std::string> lines;
    lines.reserve(store.size());
    for (const tav::sim::FusionRecord& record : store) {
        lines.push_back(tav::sim::RecordLine(record));
    }

    int records = 0;
    tav::bench::Stopwatch classify;
    for (const std::string& line : lines) {
        records += tav::records::ClassifyRecordLine(line).kind == tav::records::LineKind::Record;
    }
    const double classifyMs = classify.Ms();
    if (records != kLines) {
        std::fprintf(stderr, "bench_lines: %d of %d lines read as records\n", records, kLines);
        return 1;
    }
    tav::bench::Print("classify_10000", classifyMs, "ms", "classify 10000 record lines");

    tav::records::GridData grid;
    tav::records::RecordTableState state;
    state.NextRecordRow = 1;
    tav::bench::Stopwatch apply;
    for (const std::string& line : lines) {
        tav::records::LineEffects effects;
        tav::records::ApplyRecordLine(state, grid, line, 0, effects);
    }
    tav::bench::Print("apply_10000", apply.Ms(), "ms", "10000 record lines into the table");
    tav::bench::PrintPeakRss("lines_rss", "peak memory: record lines");
    return grid.RowCount() == kLines + 2 ? 0 : 1;
}
