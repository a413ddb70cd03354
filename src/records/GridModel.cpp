#include "records/GridModel.h"

#include "platform/QtText.h"

namespace tav {

GridModel::GridModel(records::GridData& data, QObject* parent)
    : QAbstractTableModel(parent), data_(data), rows_(data.RowCount() - 1) {
    data_.SetObserver(this);
}

GridModel::~GridModel() {
    if (data_.Observer() == this) {
        data_.SetObserver(nullptr);
    }
}

int GridModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : rows_;
}

int GridModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : records::kColumnCount;
}

QVariant GridModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::EditRole)) {
        return {};
    }
    return FromCp1250(data_.Cell(index.column(), DataRow(index.row())));
}

QVariant GridModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole) {
        return {};
    }
    if (orientation == Qt::Horizontal) {
        return FromCp1250(data_.Cell(section, 0));
    }
    return section + 1;
}

Qt::ItemFlags GridModel::flags(const QModelIndex& index) const {
    if (!index.isValid()) {
        return Qt::NoItemFlags;
    }
    Qt::ItemFlags f = Qt::ItemIsSelectable | Qt::ItemIsEnabled | Qt::ItemNeverHasChildren;
    if (editable_) {
        f |= Qt::ItemIsEditable;
    }
    return f;
}

bool GridModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (!index.isValid() || role != Qt::EditRole || !editable_) {
        return false;
    }
    const int row = DataRow(index.row());
    const std::string text = ToCp1250(value.toString());
    if (data_.Cell(index.column(), row) != text) {
        data_.SetCell(index.column(), row, text);
    }
    emit CellEdited(index.column(), row);
    return true;
}

void GridModel::RowCountChanged(int /*oldCount*/, int newCount) {
    const int target = newCount - 1;
    if (target > rows_) {
        beginInsertRows(QModelIndex(), rows_, target - 1);
        rows_ = target;
        endInsertRows();
    } else if (target < rows_) {
        beginRemoveRows(QModelIndex(), target, rows_ - 1);
        rows_ = target;
        endRemoveRows();
    }
}

void GridModel::CellChanged(int col, int row) {
    if (row == 0) {
        emit headerDataChanged(Qt::Horizontal, col, col);
        return;
    }
    const int modelRow = ModelRow(row);
    if (modelRow < rows_) {
        const QModelIndex at = index(modelRow, col);
        emit dataChanged(at, at, {Qt::DisplayRole, Qt::EditRole});
    }
}

void GridModel::Refreshed() {
    emit headerDataChanged(Qt::Horizontal, 0, records::kColumnCount - 1);
    if (rows_ > 0) {
        emit dataChanged(index(0, 0), index(rows_ - 1, records::kColumnCount - 1),
                         {Qt::DisplayRole, Qt::EditRole});
    }
}

}  // namespace tav
