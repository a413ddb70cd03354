// The fusion record table as data: 17 columns of byte strings (Windows-1250),
// row 0 the headings, records from row 1. The row count never drops below 2:
// an empty table is the heading row and one empty data row. The window shows
// it through a Qt model; the command-line tool fills one of its own.
#pragma once

#include <array>
#include <string>
#include <vector>

namespace tav::records {

inline constexpr int kColumnCount = 17;

using GridRow = std::array<std::string, kColumnCount>;

// Told about every change, so a view can follow cheaply.
class GridObserver {
public:
    virtual ~GridObserver() = default;
    virtual void RowCountChanged(int oldCount, int newCount) = 0;
    virtual void CellChanged(int col, int row) = 0;
    // Many cells changed at once (a delete, an import).
    virtual void Refreshed() = 0;
};

class GridData {
public:
    GridData();

    int RowCount() const { return static_cast<int>(rows_.size()); }
    // New rows are empty; rows beyond `count` are dropped. Never below 2.
    void SetRowCount(int count);
    // Row count 2 with row 1 emptied; the heading row is kept.
    void Reset();

    // Empty string for a cell outside the table.
    const std::string& Cell(int col, int row) const;
    // Ignored outside the table.
    void SetCell(int col, int row, std::string text);
    const GridRow& Row(int row) const { return rows_.at(static_cast<std::size_t>(row)); }

    // Deletes rows top..bottom: every row from `top` on takes the texts of
    // the row n = bottom - top + 1 places below it (empty where there is
    // none), then the row count shrinks by n, never below 2.
    void DeleteRows(int top, int bottom);

    void SetObserver(GridObserver* observer) { observer_ = observer; }
    GridObserver* Observer() const { return observer_; }

private:
    std::vector<GridRow> rows_;
    GridObserver* observer_ = nullptr;
};

}  // namespace tav::records
