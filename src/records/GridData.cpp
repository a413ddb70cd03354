#include "records/GridData.h"

#include <algorithm>

namespace tav::records {
namespace {
const std::string kEmpty;
}

GridData::GridData() : rows_(2) {}

void GridData::SetRowCount(int count) {
    count = std::max(count, 2);
    const int old = RowCount();
    if (count == old) {
        return;
    }
    rows_.resize(static_cast<std::size_t>(count));
    if (observer_ != nullptr) {
        observer_->RowCountChanged(old, count);
    }
}

void GridData::Reset() {
    SetRowCount(2);
    GridRow& row = rows_[1];
    bool changed = false;
    for (int col = 0; col < kColumnCount; ++col) {
        if (!row[static_cast<std::size_t>(col)].empty()) {
            row[static_cast<std::size_t>(col)].clear();
            changed = true;
        }
    }
    if (changed && observer_ != nullptr) {
        observer_->Refreshed();
    }
}

const std::string& GridData::Cell(int col, int row) const {
    if (col < 0 || col >= kColumnCount || row < 0 || row >= RowCount()) {
        return kEmpty;
    }
    return rows_[static_cast<std::size_t>(row)][static_cast<std::size_t>(col)];
}

void GridData::SetCell(int col, int row, std::string text) {
    if (col < 0 || col >= kColumnCount || row < 0 || row >= RowCount()) {
        return;
    }
    std::string& cell = rows_[static_cast<std::size_t>(row)][static_cast<std::size_t>(col)];
    if (cell == text) {
        return;
    }
    cell = std::move(text);
    if (observer_ != nullptr) {
        observer_->CellChanged(col, row);
    }
}

void GridData::DeleteRows(int top, int bottom) {
    const int count = RowCount();
    if (top < 1 || bottom < top || top >= count) {
        return;
    }
    // A selection reaching past the last row deletes only the rows that
    // exist; otherwise rows above `top` would be cut off by the shrink.
    bottom = std::min(bottom, count - 1);
    const int n = bottom - top + 1;
    for (int row = top; row < count; ++row) {
        const int from = row + n;
        if (from < count) {
            rows_[static_cast<std::size_t>(row)] = std::move(rows_[static_cast<std::size_t>(from)]);
        } else {
            rows_[static_cast<std::size_t>(row)] = GridRow{};
        }
    }
    const int old = count;
    rows_.resize(static_cast<std::size_t>(std::max(count - n, 2)));
    if (observer_ != nullptr) {
        observer_->Refreshed();
        if (RowCount() != old) {
            observer_->RowCountChanged(old, RowCount());
        }
    }
}

}  // namespace tav::records
