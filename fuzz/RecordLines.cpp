// The bytes of a table download, as the welder might send them, through the
// line assembly and the record-line rules.
#include <algorithm>
#include <string>

#include "FuzzTargets.h"
#include "link/Exchange.h"
#include "records/GridData.h"
#include "records/LineClassifier.h"
#include "records/RecordTable.h"
#include "records/TableReception.h"

namespace tav::fuzz {

void RecordLines(const std::uint8_t* data, std::size_t size) {
    using namespace tav::records;
    // The reception buffer is large; keep one for all runs.
    static link::RxBuffer rx{};
    GridData grid;
    RecordTableState state;
    state.NextRecordRow = 1;
    state.InterfaceLanguage = size > 0 ? static_cast<std::uint8_t>(data[0] & 1) : 1;
    TableLineAssembler assembler(rx);
    std::uint32_t now = 0;
    for (std::size_t i = 0; i < size; ++i) {
        const auto line = assembler.Take(data[i]);
        if (!line) {
            continue;
        }
        FUZZ_CHECK(line->size() < rx.size());
        FUZZ_CHECK(line->find('\0') == std::string_view::npos);
        FUZZ_CHECK(line->find('\r') == std::string_view::npos);

        const ClassifiedLine classified = ClassifyRecordLine(*line);
        FUZZ_CHECK(classified.siteId.size() <= 4);
        if (classified.kind == LineKind::TypeLine) {
            FUZZ_CHECK(classified.language >= -1 && classified.language <= 3);
        }
        const int rowsBefore = grid.RowCount();
        const std::int32_t parsedBefore = state.RecordsParsed;

        LineEffects effects;
        const std::uint8_t result = ApplyRecordLine(state, grid, *line, ++now, effects);
        FUZZ_CHECK(result == kLineGoOn || result == kLineEndOfData || result == kLineNoData);
        FUZZ_CHECK(grid.RowCount() >= 2);
        if (classified.kind == LineKind::Record) {
            // One row per record line: the record fills the row before the
            // empty row that follows it.
            FUZZ_CHECK(state.RecordsParsed == parsedBefore + 1);
            FUZZ_CHECK(grid.RowCount() == rowsBefore + 1);
            FUZZ_CHECK(grid.Cell(0, state.NextRecordRow - 1) == state.CurrentSiteId);
        } else if (classified.kind == LineKind::Other) {
            FUZZ_CHECK(state.LastLineTick != now);
        } else {
            FUZZ_CHECK(state.LastLineTick == now);
        }
        if (effects.typeLineStatus) {
            FUZZ_CHECK(effects.typeLineStatus->empty() ||
                       static_cast<std::uint8_t>(effects.typeLineStatus->front()) > 0x20);
        }
        FUZZ_CHECK(HeadingVariant(state) >= 0 && HeadingVariant(state) <= 4);
        if (result != kLineGoOn) {
            // The download ends here; the table holds one row per record.
            FUZZ_CHECK(grid.RowCount() == std::max(2, state.RecordsParsed + 1));
            break;
        }
    }
    (void)CheckHeaderLines(state);
}

}  // namespace tav::fuzz
