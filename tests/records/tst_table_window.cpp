// The record table on the main window: welder lines applied to the window's
// controls, the headings, the missing-header warning, manual editing, row
// deletion and the site-ID replacement dialog.
#include <QAction>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QToolButton>
#include <QtTest>

#include "LineSamples.h"
#include "TableRig.h"
#include "platform/QtText.h"
#include "records/ColumnModel.h"
#include "records/Form10.h"
#include "records/GridModel.h"

using tav::test::Cell;
using tav::test::FakePlatform;
using tav::test::FillRows;
using tav::test::Marked;
using tav::test::RecordWith;
using tav::test::View;
using tav::test::WhenShown;
using tav::test::WindowFixture;

namespace {

// Selects data rows top..bottom, all columns.
void SelectRows(TForm1& form, int top, int bottom) {
    const QAbstractItemModel* model = form.Grid->model();
    form.Grid->selectionModel()->select(
        QItemSelection(
            model->index(tav::GridModel::ModelRow(top), 0),
            model->index(tav::GridModel::ModelRow(bottom), tav::records::kColumnCount - 1)),
        QItemSelectionModel::ClearAndSelect);
}

}  // namespace

class TestTableWindow : public QObject {
    Q_OBJECT

  private slots:
    void linesAppliedToWindow();
    void noDataLine();
    void headings_data();
    void headings();
    void headerWarning_data();
    void headerWarning();
    void editingMode();
    void keysAndCellEdits();
    void deleteRows_data();
    void deleteRows();
    void deleteRefusedOrNothingToDelete();
    void replaceSiteId_data();
    void replaceSiteId();
    void replaceDialogKeys();
};

// A whole download's lines through TForm1::ParseRecordLine, in Polish.
void TestTableWindow::linesAppliedToWindow() {
    WindowFixture fx;
    TForm1& form = fx.Form();
    form.NextRecordRow = 1;
    form.RecordsParsed = 0;
    form.SetStatusPanelText(1, QStringLiteral("old"));

    // Leading tab, control byte and blanks are not shown.
    const QByteArray type = Marked(40, {{0, '\t'}, {1, '\x01'}, {5, 'Z'}, {12, 'g'}, {34, 'a'}});
    QCOMPARE(form.ParseRecordLine(View(type)), tav::records::kLineGoOn);
    QCOMPARE(form.DocumentLanguage, std::int8_t{0});
    QCOMPARE(form.StatusPanelText(1), QString::fromLatin1(type.mid(5)));

    const QByteArray time = "DATA POBRANIA: 2008.03.31 12:00";
    form.ParseRecordLine(View(time));
    QCOMPARE(form.Edit3->text(), QString::fromLatin1(time));
    form.ParseRecordLine("Wydruk od: 2008.03.01");
    form.ParseRecordLine("Wydruk do: 2008.03.31");
    form.ParseRecordLine("Numer budowy: B017x");
    const QByteArray record = RecordWith({});
    form.ParseRecordLine(View(record));
    form.ParseRecordLine(View(record));
    QCOMPARE(form.GridCells.RowCount(), 4);  // an empty row follows the last record
    QCOMPARE(form.GridModel->rowCount(), 3);
    QCOMPARE(form.RecordsParsed, 2);
    QVERIFY(!TForm1::IsShown(form.SpeedButton3));

    QCOMPARE(form.ParseRecordLine(" LOGOUT"), tav::records::kLineEndOfData);
    QCOMPARE(form.GridCells.RowCount(), 3);
    QCOMPARE(form.Edit2->text(), QStringLiteral("Wydruk od: 2008.03.01 Wydruk do: 2008.03.31"));
    QVERIFY(TForm1::IsShown(form.SpeedButton3));
    QVERIFY(form.N23->isEnabled());
    QCOMPARE(form.GridModel->headerData(0, Qt::Horizontal).toString(),
             QStringLiteral("Lokalizacja"));
    QCOMPARE(Cell(form, 0, 2), QStringLiteral("B017"));
    QCOMPARE(Cell(form, 7, 2), QStringLiteral("D110 KOLAN"));
}

void TestTableWindow::noDataLine() {
    WindowFixture fx;
    TForm1& form = fx.Form();
    form.PeriodFrom = "a";
    form.PeriodTo = "b";
    TForm1::SetShown(form.SpeedButton3, true);
    form.N23->setEnabled(true);
    QCOMPARE(form.ParseRecordLine(View(Marked(17, {{11, 'k'}, {16, 'z'}}))),
             tav::records::kLineNoData);
    QCOMPARE(form.Edit2->text(), QStringLiteral(" "));
    QVERIFY(form.PeriodFrom.empty() && form.PeriodTo.empty());
    QVERIFY(!TForm1::IsShown(form.SpeedButton3));
    QVERIFY(!form.N23->isEnabled());
    QCOMPARE(form.GridCells.RowCount(), 2);
}

void TestTableWindow::headings_data() {
    QTest::addColumn<int>("document");
    QTest::addColumn<int>("interface");
    QTest::addColumn<int>("variant");
    QTest::newRow("no document, Polish interface") << -1 << 0 << 0;
    QTest::newRow("no document, English interface") << -1 << 1 << 1;
    QTest::newRow("no document, other interface value") << -1 << 7 << 1;
    QTest::newRow("Czech document, Polish interface") << 2 << 0 << 2;
    QTest::newRow("Romanian document") << 3 << 1 << 3;
    QTest::newRow("document language 4") << 4 << 0 << 1;
}

void TestTableWindow::headings() {
    QFETCH(int, document);
    QFETCH(int, interface);
    QFETCH(int, variant);
    WindowFixture fx;
    TForm1& form = fx.Form();
    form.DocumentLanguage = static_cast<std::int8_t>(document);
    form.InterfaceLanguage = static_cast<std::uint8_t>(interface);
    form.SetGridHeaders();
    const auto& expected = tav::records::ColumnHeadings()[static_cast<std::size_t>(variant)];
    for (int col = 0; col < tav::records::kColumnCount; ++col) {
        QCOMPARE(form.GridModel->headerData(col, Qt::Horizontal).toString(),
                 tav::FromCp1250(expected[static_cast<std::size_t>(col)]));
    }
}

void TestTableWindow::headerWarning_data() {
    QTest::addColumn<bool>("site");
    QTest::addColumn<bool>("type");
    QTest::addColumn<int>("language");
    QTest::addColumn<QString>("expected");
    QTest::newRow("both present") << true << true << 0 << QString();
    QTest::newRow("site missing")
        << false << true << 0
        << QStringLiteral("Nie udało się pobrać danych lokalizacjiSpróbuj ponownie!");
    QTest::newRow("type missing") << true << false << 0
                                  << QStringLiteral(
                                         "Nie udało się pobrać typu zgrzewarki.Spróbuj ponownie!");
    QTest::newRow("both missing") << false << false << 0
                                  << QStringLiteral(
                                         "Nie udało się pobrać danych lokalizacji oraz typu "
                                         "zgrzewarki.Spróbuj ponownie!");
    QTest::newRow("English") << false << true << 1
                             << QStringLiteral(
                                    "Not all fusion data have been downloaded. Try again!");
}

void TestTableWindow::headerWarning() {
    QFETCH(bool, site);
    QFETCH(bool, type);
    QFETCH(int, language);
    QFETCH(QString, expected);
    WindowFixture fx;
    TForm1& form = fx.Form();
    form.InterfaceLanguage = static_cast<std::uint8_t>(language);
    form.SiteLineReceived = true;
    form.TypeLineReceived = true;
    form.ResetHeaderFlags();
    QVERIFY(!form.SiteLineReceived && !form.TypeLineReceived);
    form.SiteLineReceived = site;
    form.TypeLineReceived = type;
    form.CheckHeaderLines();
    if (expected.isEmpty()) {
        QVERIFY(fx.Platform().Messages().empty());
        return;
    }
    QCOMPARE(fx.Platform().MessageTexts(), QStringList{expected});
    QCOMPARE(fx.Platform().Messages()[0].kind, tav::MsgKind::Error);
}

// w1Click switches editing on and off; a double click switches it on and
// counts as a change, once.
void TestTableWindow::editingMode() {
    WindowFixture fx;
    TForm1& form = fx.Form();
    FillRows(form.GridCells, 3);
    const QModelIndex cell = form.GridModel->index(0, 0);

    form.w1Click();
    QVERIFY(form.TableEditMode);
    QVERIFY(form.SpeedButton21->isChecked());
    QVERIFY(form.w1->isChecked());
    QVERIFY(form.GridModel->flags(cell) & Qt::ItemIsEditable);
    QCOMPARE(form.Grid->selectionBehavior(), QAbstractItemView::SelectItems);
    QVERIFY(!form.DataModified);

    form.w1Click();
    QVERIFY(!form.TableEditMode);
    QVERIFY(!form.SpeedButton21->isChecked());
    QVERIFY(!form.w1->isChecked());
    QVERIFY(!(form.GridModel->flags(cell) & Qt::ItemIsEditable));
    QCOMPARE(form.Grid->selectionBehavior(), QAbstractItemView::SelectRows);

    form.GridDblClick();
    QVERIFY(form.TableEditMode);
    QVERIFY(form.DataModified);
    form.DataModified = false;
    form.GridDblClick();
    QVERIFY(form.TableEditMode);
    QVERIFY(!form.DataModified);
}

// A character key on the grid offers saving; a cell edited through the
// grid's editor counts as a change.
void TestTableWindow::keysAndCellEdits() {
    WindowFixture fx;
    TForm1& form = fx.Form();
    FillRows(form.GridCells, 3);
    form.EnterTableView(false);
    QTest::keyClick(form.Grid, Qt::Key_A);
    QVERIFY(TForm1::IsShown(form.SpeedButton3));
    QVERIFY(form.N23->isEnabled());
    QVERIFY(form.DataModified);

    form.DataModified = false;
    form.w1Click();
    QVERIFY(form.GridModel->setData(form.GridModel->index(1, 0), QStringLiteral("Łódź")));
    QVERIFY(form.DataModified);
    QCOMPARE(Cell(form, 0, 2), QStringLiteral("Łódź"));
}

void TestTableWindow::deleteRows_data() {
    QTest::addColumn<int>("rows");
    QTest::addColumn<int>("top");
    QTest::addColumn<int>("bottom");
    QTest::addColumn<QStringList>("left");  // column 1 of the rows left
    QTest::newRow("3..5 of 9") << 9 << 3 << 5 << QStringList{"R1", "R2", "R6", "R7", "R8", "R9"};
    QTest::newRow("the last rows")
        << 9 << 7 << 9 << QStringList{"R1", "R2", "R3", "R4", "R5", "R6"};
    QTest::newRow("one row") << 3 << 2 << 2 << QStringList{"R1", "R3"};
    QTest::newRow("every row") << 4 << 1 << 4 << QStringList{""};
}

void TestTableWindow::deleteRows() {
    QFETCH(int, rows);
    QFETCH(int, top);
    QFETCH(int, bottom);
    QFETCH(QStringList, left);
    WindowFixture fx;
    TForm1& form = fx.Form();
    form.SetGridHeaders();
    FillRows(form.GridCells, rows);
    SelectRows(form, top, bottom);
    fx.Platform().QueueAnswer(tav::Answer::Yes);
    form.Usuzaznaczonezgrzewy1Click();

    QCOMPARE(fx.Platform().MessageTexts(), QStringList{"Do you want to remove selected items?"});
    QCOMPARE(fx.Platform().Messages()[0].buttons, unsigned{tav::kBtnYes | tav::kBtnNo});
    QCOMPARE(fx.Platform().Messages()[0].kind, tav::MsgKind::Confirmation);
    QVERIFY(form.DataModified);
    QCOMPARE(form.GridCells.RowCount(), static_cast<int>(left.size()) + 1);
    QCOMPARE(form.GridModel->rowCount(), static_cast<int>(left.size()));
    QCOMPARE(Cell(form, 0, 0), QStringLiteral("Constr.Site ID"));
    for (int row = 1; row <= left.size(); ++row) {
        QCOMPARE(Cell(form, 1, row), left[row - 1]);
        const QString site = left[row - 1].isEmpty() ? QString() : "S" + left[row - 1].mid(1);
        QCOMPARE(Cell(form, 0, row), site);
    }
    // Nothing stale beyond the end when rows come back.
    form.GridCells.SetRowCount(rows + 1);
    for (int row = static_cast<int>(left.size()) + 1; row <= rows; ++row) {
        QCOMPARE(Cell(form, 16, row), QString());
    }
}

void TestTableWindow::deleteRefusedOrNothingToDelete() {
    WindowFixture fx(WindowFixture::MakeConfig(0, ""));
    TForm1& form = fx.Form();
    FillRows(form.GridCells, 5);
    SelectRows(form, 2, 3);
    fx.Platform().QueueAnswer(tav::Answer::No);
    form.Usuzaznaczonezgrzewy1Click();
    QCOMPARE(fx.Platform().MessageTexts(), QStringList{"Usunąć zaznaczone zgrzewy?"});
    QVERIFY(form.DataModified);
    QCOMPARE(form.GridCells.RowCount(), 6);
    QCOMPARE(Cell(form, 1, 2), QStringLiteral("R2"));

    // One data row: nothing asked, nothing deleted, still a change.
    fx.Platform().ClearMessages();
    form.DataModified = false;
    form.GridCells.SetRowCount(2);
    form.Usuzaznaczonezgrzewy1Click();
    QVERIFY(fx.Platform().Messages().empty());
    QVERIFY(form.DataModified);
    QCOMPARE(Cell(form, 1, 1), QStringLiteral("R1"));
}

void TestTableWindow::replaceSiteId_data() {
    QTest::addColumn<int>("language");
    QTest::addColumn<QString>("from");
    QTest::addColumn<QString>("to");
    QTest::addColumn<QStringList>("column0");  // rows 0..4 afterwards
    QTest::addColumn<QString>("message");
    QTest::addColumn<int>("kind");
    const QString longName(80, QLatin1Char('N'));
    QTest::newRow("Polish, two rows")
        << 0 << "B1"
        << "Budowa Łódź" << QStringList{"Lokalizacja", "Budowa Łódź", "B2", "Budowa Łódź", ""}
        << "Zamieniono pozycji: 2" << int(tav::MsgKind::Information);
    QTest::newRow("English, 80 characters")
        << 1 << "B2" << longName << QStringList{"Constr.Site ID", "B1", longName, "B1", ""}
        << "1 items replaced" << int(tav::MsgKind::Information);
    QTest::newRow("case counts")
        << 1 << "b1"
        << "X" << QStringList{"Constr.Site ID", "B1", "B2", "B1", ""}
        << "Phrase: 'b1' does not exist as construction site ID. Replace aborted!"
        << int(tav::MsgKind::Error);
    QTest::newRow("not found, Polish")
        << 0 << "B9"
        << "X" << QStringList{"Lokalizacja", "B1", "B2", "B1", ""}
        << "Nazwa: 'B9' nie występuje jako nazwa lokalizacji. Nie dokonano zamiany!"
        << int(tav::MsgKind::Error);
    QTest::newRow("the heading cell") << 0 << "Lokalizacja"
                                      << "Budowa" << QStringList{"Budowa", "B1", "B2", "B1", ""}
                                      << "Zamieniono pozycji: 1" << int(tav::MsgKind::Information);
    QTest::newRow("empty matches empty")
        << 1 << ""
        << "none" << QStringList{"Constr.Site ID", "B1", "B2", "B1", "none"} << "1 items replaced"
        << int(tav::MsgKind::Information);
}

// SpeedButton16Click shows the dialog; Replace changes every exact match
// from the heading row on and reports the count.
void TestTableWindow::replaceSiteId() {
    QFETCH(int, language);
    QFETCH(QString, from);
    QFETCH(QString, to);
    QFETCH(QStringList, column0);
    QFETCH(QString, message);
    QFETCH(int, kind);
    WindowFixture fx(WindowFixture::MakeConfig(static_cast<std::uint8_t>(language), ""));
    TForm1& form = fx.Form();
    form.SetGridHeaders();
    FillRows(form.GridCells, 4);
    const char* sites[] = {"B1", "B2", "B1", ""};
    for (int row = 1; row <= 4; ++row) {
        form.GridCells.SetCell(0, row, sites[row - 1]);
    }
    TForm10* dialog = fx.Windows().Form10.get();
    // Editing mode with a cell of column 2 selected: Edit1 keeps its text.
    form.w1Click();
    form.Grid->setCurrentIndex(form.GridModel->index(0, 2));
    dialog->Edit1->setText(from);
    WhenShown(dialog, [dialog, to] {
        QCOMPARE(dialog->Edit1->isVisible(), true);
        dialog->Edit2->setText(to);
        dialog->Button1->click();
    });
    form.SpeedButton16Click();

    QVERIFY(!dialog->isVisible());
    QVERIFY(form.DataModified);
    for (int row = 0; row < column0.size(); ++row) {
        QCOMPARE(Cell(form, 0, row), column0[row]);
    }
    QCOMPARE(fx.Platform().MessageTexts(), QStringList{message});
    QCOMPARE(int(fx.Platform().Messages()[0].kind), kind);
}

// The ID comes from the selected row; Enter in Edit2 replaces and closes,
// Esc closes without replacing; the captions follow the language.
void TestTableWindow::replaceDialogKeys() {
    WindowFixture fx(WindowFixture::MakeConfig(0, ""));
    TForm1& form = fx.Form();
    FillRows(form.GridCells, 3);
    SelectRows(form, 2, 2);
    TForm10* dialog = fx.Windows().Form10.get();

    WhenShown(dialog, [dialog] {
        QCOMPARE(dialog->Edit1->text(), QStringLiteral("S2"));
        QCOMPARE(dialog->windowTitle(), QStringLiteral("Zmień nazwę lokalizacji"));
        QCOMPARE(dialog->Button1->text(), QStringLiteral("Zamień"));
        QTest::keyClick(dialog, Qt::Key_Escape);
    });
    form.SpeedButton16Click();
    QVERIFY(!dialog->isVisible());
    QCOMPARE(Cell(form, 0, 2), QStringLiteral("S2"));
    QVERIFY(fx.Platform().Messages().empty());
    QVERIFY(form.DataModified);  // whether or not anything was replaced

    form.InterfaceLanguage = 1;
    WhenShown(dialog, [dialog] {
        QCOMPARE(dialog->windowTitle(), QStringLiteral("Replace construction site ID"));
        QCOMPARE(dialog->GroupBox2->title(), QStringLiteral("New construction site ID"));
        dialog->Edit2->setText(QStringLiteral("Site two"));
        QTest::keyClick(dialog->Edit2, Qt::Key_Return);
    });
    form.SpeedButton16Click();
    QVERIFY(!dialog->isVisible());
    QCOMPARE(Cell(form, 0, 2), QStringLiteral("Site two"));
    QCOMPARE(fx.Platform().MessageTexts(), QStringList{"1 items replaced"});
}

QTEST_MAIN(TestTableWindow)
#include "tst_table_window.moc"
