#include "records/RecordTable.h"

#include <cstddef>
#include <utility>

#include "records/ColumnModel.h"

namespace tav::records {
namespace {

// The empty row that follows the last record while a download runs is
// removed once the data is complete; the table keeps at least one data row.
void DropTrailingEmptyRow(GridData& grid) {
    if (grid.RowCount() > 2) {
        grid.SetRowCount(grid.RowCount() - 1);
    }
}

void ApplyRecord(RecordTableState& state, GridData& grid, ClassifiedLine& classified) {
    const int row = state.NextRecordRow;
    grid.SetCell(0, row, state.CurrentSiteId);
    for (int col = 1; col < kColumnCount; ++col) {
        grid.SetCell(col, row, std::move(classified.cells[static_cast<std::size_t>(col)]));
    }
    ++state.NextRecordRow;
    grid.SetRowCount(grid.RowCount() + 1);
    ++state.RecordsParsed;
}

}  // namespace

std::uint8_t ApplyRecordLine(RecordTableState& state, GridData& grid, std::string_view line,
                             std::uint32_t now, LineEffects& effects) {
    ClassifiedLine classified = ClassifyRecordLine(line);
    if (classified.kind == LineKind::Other) {
        return kLineGoOn;
    }
    state.LastLineTick = now;

    switch (classified.kind) {
        case LineKind::TypeLine:
            if (classified.language != -1) {
                state.DocumentLanguage = classified.language;
                effects.typeLineStatus = TrimLeadingBlanks(line);
                state.TypeLineReceived = true;
            }
            return kLineGoOn;
        case LineKind::DownloadTime:
            effects.downloadTime = std::string(line);
            return kLineGoOn;
        case LineKind::PeriodStart:
            state.PeriodFrom = std::string(line);
            return kLineGoOn;
        case LineKind::PeriodEnd:
            state.PeriodTo = std::string(line);
            return kLineGoOn;
        case LineKind::Site:
            state.CurrentSiteId = std::move(classified.siteId);
            state.SiteLineReceived = true;
            return kLineGoOn;
        case LineKind::Record:
            ApplyRecord(state, grid, classified);
            return kLineGoOn;
        case LineKind::EndOfData:
            effects.periodDisplay = state.PeriodFrom + " " + state.PeriodTo;
            DropTrailingEmptyRow(grid);
            effects.saveAvailable = true;
            SetGridHeaders(state, grid);
            effects.headingsWritten = true;
            return kLineEndOfData;
        case LineKind::NoData:
            state.PeriodFrom.clear();
            state.PeriodTo.clear();
            effects.periodDisplay = " ";
            DropTrailingEmptyRow(grid);
            effects.saveAvailable = false;
            SetGridHeaders(state, grid);
            effects.headingsWritten = true;
            return kLineNoData;
        case LineKind::Other:
            break;
    }
    return kLineGoOn;
}

int HeadingVariant(const RecordTableState& state) {
    const int document = state.DocumentLanguage;
    if (document >= 0 && document < kHeadingVariantCount) {
        return document;
    }
    if (document == -1 && state.InterfaceLanguage == 0) {
        return 0;
    }
    // An interface language other than Polish, or a document language out of
    // range, shows the English headings rather than reading past the table.
    return 1;
}

void SetGridHeaders(const RecordTableState& state, GridData& grid) {
    const HeadingRow& headings = ColumnHeadings()[static_cast<std::size_t>(HeadingVariant(state))];
    for (int col = 0; col < kColumnCount; ++col) {
        grid.SetCell(col, 0, headings[static_cast<std::size_t>(col)]);
    }
}

void ResetHeaderFlags(RecordTableState& state) {
    state.SiteLineReceived = false;
    state.TypeLineReceived = false;
}

std::optional<HeaderWarning> CheckHeaderLines(const RecordTableState& state) {
    if (state.SiteLineReceived && state.TypeLineReceived) {
        return std::nullopt;
    }
    HeaderWarning warning;
    warning.polish = "Nie udało się pobrać ";
    if (!state.SiteLineReceived) {
        warning.polish += "danych lokalizacji";
    }
    if (!state.TypeLineReceived) {
        warning.polish += state.SiteLineReceived ? "typu zgrzewarki." : " oraz typu zgrzewarki.";
    }
    warning.polish += "Spróbuj ponownie!";
    warning.english = "Not all fusion data have been downloaded. Try again!";
    return warning;
}

}  // namespace tav::records
