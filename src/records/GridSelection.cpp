#include "records/GridSelection.h"

#include <algorithm>

#include <QItemSelectionModel>
#include <QTableView>

#include "records/GridModel.h"

namespace tav {

GridSelectionRect CurrentGridSelection(const QTableView& grid) {
    GridSelectionRect rect;
    const QItemSelectionModel* model = grid.selectionModel();
    if (model == nullptr) {
        return rect;
    }
    // The ranges, not the selected indexes: a whole table of 9999 rows is one
    // range but 170000 indexes.
    const QItemSelection selection = model->selection();
    if (!selection.isEmpty()) {
        int left = selection.front().left();
        int top = selection.front().top();
        int bottom = selection.front().bottom();
        for (const QItemSelectionRange& range : selection) {
            left = std::min(left, range.left());
            top = std::min(top, range.top());
            bottom = std::max(bottom, range.bottom());
        }
        rect.left = left;
        rect.top = GridModel::DataRow(top);
        rect.bottom = GridModel::DataRow(bottom);
        return rect;
    }
    const QModelIndex current = model->currentIndex();
    if (current.isValid()) {
        rect.left = current.column();
        rect.top = rect.bottom = GridModel::DataRow(current.row());
    }
    return rect;
}

}  // namespace tav
