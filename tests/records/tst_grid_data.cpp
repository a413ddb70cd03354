// Deleting a block of rows from the record table: the rows below move up,
// nothing stale is left behind, and the table keeps at least one data row.
#include <QtTest>

#include <string>
#include <utility>
#include <vector>

#include "records/GridData.h"

using tav::records::GridData;
using tav::records::kColumnCount;

namespace {

std::string Text(int col, int row) {
    return "r" + std::to_string(row) + "c" + std::to_string(col);
}

// Heading row plus data rows 1..records, every cell naming its row and column.
void Fill(GridData& grid, int records) {
    grid.SetRowCount(records + 1);
    for (int row = 0; row <= records; ++row) {
        for (int col = 0; col < kColumnCount; ++col) {
            grid.SetCell(col, row, Text(col, row));
        }
    }
}

// Which former row each row holds now (0 for an empty row); -1 when the row
// is a mixture, which a delete must never produce.
int FormerRow(const GridData& grid, int row) {
    if (grid.Cell(0, row).empty()) {
        for (int col = 0; col < kColumnCount; ++col) {
            if (!grid.Cell(col, row).empty()) {
                return -1;
            }
        }
        return 0;
    }
    const std::string& first = grid.Cell(0, row);
    const int former = std::stoi(first.substr(1, first.find('c') - 1));
    for (int col = 0; col < kColumnCount; ++col) {
        if (grid.Cell(col, row) != Text(col, former)) {
            return -1;
        }
    }
    return former;
}

class RecordingObserver final : public tav::records::GridObserver {
public:
    void RowCountChanged(int oldCount, int newCount) override {
        counts.emplace_back(oldCount, newCount);
    }
    void CellChanged(int, int) override {}
    void Refreshed() override { ++refreshes; }

    std::vector<std::pair<int, int>> counts;
    int refreshes = 0;
};

}  // namespace

class TestGridData : public QObject {
    Q_OBJECT

private slots:
    void deleteRows_data();
    void deleteRows();
    void deleteTellsTheView();
};

void TestGridData::deleteRows_data() {
    QTest::addColumn<int>("records");
    QTest::addColumn<int>("top");
    QTest::addColumn<int>("bottom");
    QTest::addColumn<QList<int>>("rows");  // former rows of rows 1.. after the delete

    QTest::newRow("3..5 of 9") << 9 << 3 << 5 << QList<int>{1, 2, 6, 7, 8, 9};
    QTest::newRow("first row") << 9 << 1 << 1 << QList<int>{2, 3, 4, 5, 6, 7, 8, 9};
    QTest::newRow("last rows") << 9 << 7 << 9 << QList<int>{1, 2, 3, 4, 5, 6};
    QTest::newRow("last rows and rows above") << 9 << 4 << 9 << QList<int>{1, 2, 3};
    QTest::newRow("every data row") << 9 << 1 << 9 << QList<int>{0};
    QTest::newRow("the only data row") << 1 << 1 << 1 << QList<int>{0};
    QTest::newRow("all but the first") << 3 << 2 << 3 << QList<int>{1};
    // The selection can never pass the last row; if it did, only the rows
    // that exist go.
    QTest::newRow("bottom past the last row") << 9 << 8 << 12 << QList<int>{1, 2, 3, 4, 5, 6, 7};
    QTest::newRow("heading row is not deleted")
        << 9 << 0 << 2 << QList<int>{1, 2, 3, 4, 5, 6, 7, 8, 9};
}

void TestGridData::deleteRows() {
    QFETCH(int, records);
    QFETCH(int, top);
    QFETCH(int, bottom);
    QFETCH(QList<int>, rows);

    GridData grid;
    Fill(grid, records);
    grid.DeleteRows(top, bottom);

    QCOMPARE(grid.RowCount(), int(rows.size()) + 1);
    for (int col = 0; col < kColumnCount; ++col) {
        QCOMPARE(grid.Cell(col, 0), Text(col, 0));
    }
    for (int row = 1; row < grid.RowCount(); ++row) {
        QCOMPARE(FormerRow(grid, row), rows[row - 1]);
    }

    // Rows that come back after the shrink hold nothing of the deleted ones.
    grid.SetRowCount(records + 1);
    for (int row = int(rows.size()) + 1; row <= records; ++row) {
        QCOMPARE(FormerRow(grid, row), 0);
    }
}

void TestGridData::deleteTellsTheView() {
    GridData grid;
    Fill(grid, 9);
    RecordingObserver observer;
    grid.SetObserver(&observer);

    grid.DeleteRows(3, 5);
    QCOMPARE(observer.refreshes, 1);
    QCOMPARE(observer.counts, (std::vector<std::pair<int, int>>{{10, 7}}));
}

QTEST_GUILESS_MAIN(TestGridData)
#include "tst_grid_data.moc"
