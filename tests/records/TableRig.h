// Helpers for the window-level record-table tests: answering the program's
// modal dialogs from inside their event loop, a table filled with known
// rows, a cell of the window's table, the message of a welder that does not
// answer, and the main window linked to the simulated welder.
#pragma once

#include <functional>
#include <string>

#include <QDialog>
#include <QString>
#include <QTimer>

#include "core/SimHarness.h"
#include "gui/WindowFixture.h"
#include "platform/QtText.h"
#include "records/GridData.h"

namespace tav::test {

inline const QString kNotResponding =
    QStringLiteral("Welder is not responding. Check the cable or turn off/on the welder!");

// The main window's table cell at (col, row) as the user reads it.
inline QString Cell(TForm1& form, int col, int row) {
    return tav::FromCp1250(form.GridCells.Cell(col, row));
}

// Runs `act` once `dialog` is shown (from inside its modal loop).
inline void WhenShown(QDialog* dialog, std::function<void()> act) {
    auto* timer = new QTimer(dialog);
    timer->setInterval(5);
    QObject::connect(timer, &QTimer::timeout, dialog, [timer, dialog, act = std::move(act)] {
        if (dialog->isVisible()) {
            timer->stop();
            timer->deleteLater();
            act();
        }
    });
    timer->start();
}

// Rows 1..rows: column 0 "S<row>", column 1 "R<row>", the other columns
// "<column>.<row>".
inline void FillRows(records::GridData& grid, int rows) {
    grid.SetRowCount(rows + 1);
    for (int row = 1; row <= rows; ++row) {
        grid.SetCell(0, row, "S" + std::to_string(row));
        grid.SetCell(1, row, "R" + std::to_string(row));
        for (int col = 2; col < records::kColumnCount; ++col) {
            grid.SetCell(col, row, std::to_string(col) + "." + std::to_string(row));
        }
    }
}

// The simulated welder on COM3 and the program's windows, the main window's
// port open on the welder and marked connected (as after a search).
struct WelderRig {
    explicit WelderRig(SimHarness::Options options = {}, std::uint8_t language = 1)
        : sim(std::move(options)), fx(WindowFixture::MakeConfig(language, "")) {
        TForm1& form = fx.Form();
        form.Port.SetPortName(sim.PortName());
        form.Port.Open();
        form.Connected = true;
        form.EnterConnectionState(TForm1::ConnectionState::Connected);
    }
    TForm1& Form() { return fx.Form(); }
    FakePlatform& Platform() { return fx.Platform(); }

    SimHarness sim;
    WindowFixture fx;
};

}  // namespace tav::test
