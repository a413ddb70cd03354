// The welder commands of the main window: connect and the memory erase.
#include <memory>
#include <utility>
#include <vector>

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QTableView>
#include <QToolButton>

#include "link/WelderSearch.h"
#include "link/Wyszukaj.h"
#include "platform/Tick.h"
#include "shell/Colors.h"
#include "shell/Form1.h"
#include "shell/QtTexts.h"

using tav::text::Id;

namespace {

// After a whole pass without a welder the user is told, at most once in
// this many milliseconds, that the welder does not respond.
constexpr std::uint32_t kNotRespondingMs = 10000;
// A pass in which no port opened costs next to nothing; the next one waits
// this long, so that a PC without serial ports does not spin a processor
// core for as long as the search window is open.
constexpr std::uint32_t kIdlePassPauseMs = 50;

std::uint8_t Language(const TForm1& form) {
    return form.InterfaceLanguage == 1 ? 1 : 0;
}

bool TextViewHoldsLines(const TForm1& form) {
    return TForm1::IsShown(form.Pulpit) && !form.Pulpit->document()->isEmpty();
}

// Whatever was shown is put away while the search runs: the table and its
// tools, the text tools, the company bar and the welder commands.
void EnterSearchStart(TForm1& form) {
    for (QWidget* w : std::initializer_list<QWidget*>{
             form.Grid, form.PasekObjasnieniaOceny, form.SpeedButton3, form.SpeedButton5,
             form.PrintSetup1, form.SpeedButton15, form.SpeedButton16, form.SpeedButton20,
             form.SpeedButton21, form.SpeedButton10, form.SpeedButton17, form.SpeedButton18,
             form.SpeedButton19, form.ToolBar2}) {
        TForm1::SetShown(w, false);
    }
    form.EnterConnectionState(TForm1::ConnectionState::Searching);
    for (QAction* a : {form.N23, form.Podgldraportuzgrzewania1, form.Trybrcznejedycjitabeli1,
                       form.Usuzaz1, form.Zastpnazwlokalizacji1}) {
        a->setEnabled(false);
    }
}

// The welder's port stays open: the download, text and erase commands are
// offered, the text tools of the Edit menu are not.
void EnterConnected(TForm1& form) {
    form.EnterConnectionState(TForm1::ConnectionState::Connected);
    for (QAction* a :
         {form.Zastpnazwlokalizacji1, form.Kopiuj1, form.Wklej1, form.Znajd1, form.Zastp1}) {
        a->setEnabled(false);
    }
}

// The rest of a successful identification: data opened meanwhile may be
// saved, the settings are written, and the table is put away empty.
void TakeWelder(TForm1& form) {
    form.Connected = true;
    // Commands are refused while the search runs, so nothing can have been
    // opened since the first question; the check stays for safety. An error
    // while saving does not undo the connection.
    try {
        const bool tableRows = TForm1::IsShown(form.Grid) && form.GridCells.RowCount() > 2;
        if (TextViewHoldsLines(form) || tableRows) {
            const tav::Answer answer = form.Platform().MessageDialog(
                tav::text::Q(Id::SaveDataToTheFile, Language(form)), tav::MsgKind::Confirmation,
                tav::kBtnYes | tav::kBtnNo);
            // No goes on as Yes does, only without saving.
            if (answer == tav::Answer::Yes) {
                form.SpeedButton3Click();
            }
        }
    } catch (...) {
    }
    form.SaveSettingsFile();
    TForm1::SetShown(form.Grid, false);
    TForm1::SetShown(form.PasekObjasnieniaOceny, false);
    form.GridCells.SetRowCount(2);
}

}  // namespace

void TForm1::SpeedButton8Click() {
    // Shown data are offered for saving first; Cancel leaves all as it was.
    if (TextViewHoldsLines(*this) || (IsShown(Grid) && DataModified)) {
        if (!AskSaveData(tav::text::Pl(Id::SaveBeforeConnect), tav::text::En(Id::SaveBeforeConnect),
                         tav::kBtnYes | tav::kBtnNo | tav::kBtnCancel, SaveStyle::ThroughSaveAs)) {
            return;
        }
        Pulpit->clear();
        SetShown(Pulpit, false);
    }

    // No other command may run inside the search (it would find the port
    // closed under it); the search window stays live.
    LongCommand busy(*this);
    EnterSearchStart(*this);

    TWyszukaj* search = W.Wyszukaj;
    SearchAborted = false;
    if (search != nullptr) {
        search->show();
    }
    // The search window goes when the command ends, however it ends.
    const std::unique_ptr<TWyszukaj, void (*)(TWyszukaj*)> closeSearch(
        search, [](TWyszukaj* window) { window->close(); });
    Connected = false;
    std::uint32_t messageMark = tav::GetTickCount();

    tav::link::SearchCallbacks callbacks;
    callbacks.aborted = [this] { return SearchAborted; };
    callbacks.tryingPort = [this, search](int, const std::string& name) {
        if (search != nullptr) {
            search->Label1->setText(QString::fromStdString(name) + QLatin1Char('?'));
            search->Label1->adjustSize();
        }
        // Here the search window's close takes effect, and the windows repaint.
        platform_.ProcessMessages(true);
    };
    callbacks.noWelder = [this](const std::string&) {
        ApplyInterfaceLanguage();
        EnterConnectionState(ConnectionState::NotConnected);
        ShowStatus(tav::text::Q(Id::StatusWelderDisconnected, Language(*this)),
                   tav::colors::clRed());
    };

    while (!Connected && !SearchAborted) {
        const tav::link::SearchResult pass = tav::link::SearchPass(Port, RxBuffer, callbacks);
        if (pass.welder) {
            TakeWelder(*this);
            ApplyInterfaceLanguage();
            EnterConnected(*this);
            ShowStatus(tav::text::Q(Id::StatusWelderConnected, Language(*this)),
                       tav::colors::clLime());
        }
        if (!Connected && tav::TicksSince(messageMark) > kNotRespondingMs) {
            platform_.MessageDialog(tav::text::Q(Id::WelderNotResponding, Language(*this)),
                                    tav::MsgKind::Error, tav::kBtnOk);
            messageMark = tav::GetTickCount();
        }
        if (!Connected && !SearchAborted && pass.portsOpened == 0) {
            tav::WaitMs(kIdlePassPauseMs);
        }
    }

    // The Tools menu as the search left it: offered only with a welder.
    SetMenuEnabled(Narzdzia1, Connected);
}

void TForm1::SBKasujClick() {
    const int answer =
        platform_.MessageBox(tav::text::Q(Id::EraseQuestion, Language(*this)), QString(),
                             tav::kMbYesNo | tav::kMbIconWarning | tav::kMbDefButton2);
    if (answer != static_cast<int>(tav::Answer::Yes)) {
        return;
    }
    // Whatever goes wrong from here on (the port failing, the line hung up)
    // ends the command without a message; the shown data and the
    // connection stay as they are.
    try {
        switch (tav::link::EraseMemory(Port, RxBuffer)) {
            case tav::link::EraseReply::NoAnswer:
                break;
            case tav::link::EraseReply::Erased:
                platform_.MessageDialog(tav::text::Q(Id::MemoryErased, Language(*this)),
                                        tav::MsgKind::Information, tav::kBtnOk);
                break;
            case tav::link::EraseReply::Refused:
                platform_.MessageDialog(tav::text::Q(Id::EraseFailed, Language(*this)),
                                        tav::MsgKind::Information, tav::kBtnOk);
                break;
        }
    } catch (...) {
    }
}
