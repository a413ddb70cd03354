// The block of the record table the user has selected, in rows of the table
// data (row 1 = first record). With nothing selected it is the current cell,
// or the first data row's first cell when there is none.
#pragma once

class QTableView;

namespace tav {

struct GridSelectionRect {
    int left = 0;    // first selected column
    int top = 1;     // first selected data row
    int bottom = 1;  // last selected data row
};

GridSelectionRect CurrentGridSelection(const QTableView& grid);

}  // namespace tav
