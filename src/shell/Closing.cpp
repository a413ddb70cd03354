// The unsaved-data prompt, clear screen and closing the main window.
#include <optional>

#include <QFile>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTableView>

#include "link/Exchange.h"
#include "shell/Form1.h"
#include "shell/QtTexts.h"
#include "shell/Texts.h"

using tav::text::Id;

bool TForm1::AskSaveData(const QString& polish, const QString& english, unsigned buttons,
                         SaveStyle style) {
    const tav::Answer answer = platform_.MessageDialog(InterfaceLanguage == 1 ? english : polish,
                                                       tav::MsgKind::Confirmation, buttons);
    if (answer == tav::Answer::No) {
        return true;
    }
    // With Cancel offered, only Yes saves: Cancel or a closed box abandons.
    // Without it, anything but No counts as Yes.
    if ((buttons & tav::kBtnCancel) != 0 && answer != tav::Answer::Yes) {
        return false;
    }

    if (style == SaveStyle::ThroughSaveAs) {
        // The caller goes on however the save ends.
        SpeedButton3Click();
        return true;
    }

    // Saved where the user says, without touching the caption or the
    // unsaved-data flag; a cancelled dialog or a failed write keeps the data.
    SaveDialog1.filterIndex = IsShown(Grid) ? 1 : 2;
    const std::optional<QString> chosen = platform_.SaveFileDialog(SaveDialog1);
    if (!chosen) {
        return false;
    }
    return WriteReportFile(QFile::encodeName(*chosen).toStdString()) == 0;
}

bool TForm1::ShownDataUnsaved() const {
    return ((IsShown(Pulpit) && PulpitHasLines()) || IsShown(Grid)) && DataModified;
}

void TForm1::SpeedButton1Click() {
    if (ShownDataUnsaved() &&
        !AskSaveData(tav::text::Pl(Id::SaveDataClearScreen), tav::text::En(Id::SaveDataClearScreen),
                     tav::kBtnYes | tav::kBtnNo | tav::kBtnCancel, SaveStyle::InPlace)) {
        return;
    }

    setWindowTitle(QString());
    SetStatusPanelText(1, QString());
    Edit3->clear();
    Edit2->clear();
    // Every view and its tools hidden; the connection state stays.
    EnterEmptyView();
    // Clearing the hidden text view is no change of the user's data: the
    // unsaved-data flag keeps its value.
    const bool modified = DataModified;
    Pulpit->clear();
    DataModified = modified;

    if (Port.IsOpen()) {
        // Whatever the welder sent so far is thrown away.
        tav::link::DrainInput(Port, RxBuffer);
    }
}

bool TForm1::FormCloseQuery() {
    if (ShownDataUnsaved()) {
        // config.cfg is not written on this path.
        return AskSaveData(tav::text::Pl(Id::SaveDataToTheFile),
                           tav::text::En(Id::SaveDataToTheFile),
                           tav::kBtnYes | tav::kBtnNo | tav::kBtnCancel, SaveStyle::InPlace);
    }
    // The window closes even when the settings cannot be written.
    SaveSettingsFile();
    return true;
}

void TForm1::N51Click() {
    close();
}
