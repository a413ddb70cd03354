// The record table as a Qt model over GridData: row 0 of the data is the
// horizontal header, data rows 1..RowCount-1 are model rows 0..RowCount-2.
// Cells are Windows-1250 bytes in the data and QString on screen. The model
// follows every change of the data through GridObserver, so a view stays
// current however the data is changed, and stays cheap with thousands of
// rows (a change of one cell repaints one cell).
#pragma once

#include <QAbstractTableModel>

#include "records/GridData.h"

namespace tav {

class GridModel final : public QAbstractTableModel, public records::GridObserver {
    Q_OBJECT

  public:
    explicit GridModel(records::GridData& data, QObject* parent = nullptr);
    ~GridModel() override;

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    // Writes the edited text back (Windows-1250) and emits CellEdited.
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;

    // Manual table editing: data cells can be edited only while it is on.
    void SetEditable(bool editable) { editable_ = editable; }
    bool Editable() const { return editable_; }

    // The data row of a model row and back.
    static int DataRow(int modelRow) { return modelRow + 1; }
    static int ModelRow(int dataRow) { return dataRow - 1; }

    records::GridData& Data() { return data_; }

  signals:
    // A cell was changed through a view's editor (data row, heading = 0).
    void CellEdited(int col, int row);

  private:
    void RowCountChanged(int oldCount, int newCount) override;
    void CellChanged(int col, int row) override;
    void Refreshed() override;

    records::GridData& data_;
    // The row count the views know; follows the data through begin/end calls.
    int rows_ = 0;
    bool editable_ = false;
};

}  // namespace tav
