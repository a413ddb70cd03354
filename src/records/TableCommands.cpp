// The record table on the main window: received lines, the table downloads
// and table editing.
#include <optional>
#include <utility>

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTableView>
#include <QToolButton>

#include "link/Exchange.h"
#include "platform/QtText.h"
#include "platform/Tick.h"
#include "records/Form10.h"
#include "records/Form2.h"
#include "records/Form9.h"
#include "records/GridModel.h"
#include "records/GridSelection.h"
#include "records/TableDownload.h"
#include "records/TableReception.h"
#include "shell/Form1.h"
#include "shell/QtTexts.h"

using tav::text::Id;

namespace {

// How often the window is repainted and the progress brought up to date
// while lines arrive (milliseconds of the tick counter).
constexpr std::uint32_t kRepaintEveryMs = 100;

// Feeds the download's lines to the window and keeps the window painted
// with the progress shown, without letting user input in.
class WindowLineSink final : public tav::records::TableLineSink {
  public:
    WindowLineSink(TForm1& form, int announced) : form_(form), announced_(announced) {}

    // Records are counted from the reception start: the period download does
    // not reset RecordsParsed.
    void ReceptionStarted() override {
        base_ = form_.RecordsParsed;
        shown_ = -1;
    }

    std::uint8_t ParseRecordLine(std::string_view line) override {
        return form_.ParseRecordLine(line);
    }
    std::uint32_t LastLineTick() const override { return form_.LastLineTick; }
    void Pump() override {
        if (tav::TicksSince(lastPump_) < kRepaintEveryMs) {
            return;
        }
        ShowProgress();
        form_.Platform().ProcessMessages(false);
        lastPump_ = tav::GetTickCount();
    }

    void ShowProgress() {
        const int received = form_.RecordsParsed - base_;
        if (received == shown_) {
            return;
        }
        shown_ = received;
        if (TForm9* wait = form_.Others().Form9) {
            wait->SetProgress(shown_, announced_);
            form_.SetStatusSimpleText(wait->Label2->text());
        }
    }

  private:
    TForm1& form_;
    int announced_;
    int base_ = 0;
    int shown_ = -1;
    std::uint32_t lastPump_ = tav::GetTickCount();
};

// Closes the wait window and takes the progress off the status bar however
// the download ends, a port error included.
class WaitWindowGuard {
  public:
    explicit WaitWindowGuard(TForm1& form) : form_(form) {}
    ~WaitWindowGuard() { Close(); }
    WaitWindowGuard(const WaitWindowGuard&) = delete;
    WaitWindowGuard& operator=(const WaitWindowGuard&) = delete;

    void Close() {
        if (TForm9* wait = form_.Others().Form9) {
            wait->hide();
        }
        form_.SetStatusSimpleText(QString());
    }

  private:
    TForm1& form_;
};

}  // namespace

// ------------------------------------------------------------ received lines

std::uint8_t TForm1::ParseRecordLine(std::string_view line) {
    tav::records::LineEffects effects;
    const std::uint8_t result =
        tav::records::ApplyRecordLine(*this, GridCells, line, tav::GetTickCount(), effects);
    if (effects.typeLineStatus) {
        SetStatusPanelText(1, tav::FromCp1250(*effects.typeLineStatus));
    }
    if (effects.downloadTime) {
        Edit3->setText(tav::FromCp1250(*effects.downloadTime));
    }
    if (effects.periodDisplay) {
        Edit2->setText(tav::FromCp1250(*effects.periodDisplay));
    }
    if (effects.saveAvailable) {
        SetShown(SpeedButton3, *effects.saveAvailable);
        N23->setEnabled(*effects.saveAvailable);
    }
    return result;
}

void TForm1::ResetHeaderFlags() {
    tav::records::ResetHeaderFlags(*this);
}

void TForm1::CheckHeaderLines() {
    if (const auto warning = tav::records::CheckHeaderLines(*this)) {
        ShowMessageInLanguage(QString::fromStdString(warning->polish),
                              QString::fromStdString(warning->english), tav::MsgKind::Error);
    }
}

// ------------------------------------------------------------ downloads

bool TForm1::AskSaveBeforeTableDownload() {
    const bool textShown = IsShown(Pulpit) && !Pulpit->document()->isEmpty();
    if (!DataModified || !(textShown || IsShown(Grid))) {
        return true;
    }
    return AskSaveData(tav::text::Pl(Id::SaveDataToAFile), tav::text::En(Id::SaveDataToAFile),
                       tav::kBtnYes | tav::kBtnNo, SaveStyle::ThroughSaveAs);
}

void TForm1::ShowWaitWindow() {
    setWindowTitle(QString());
    if (W.Form9 != nullptr) {
        W.Form9->show();
    }
    platform_.ProcessMessages(false);
}

void TForm1::PrepareTableDownload() {
    LeaveTableEditMode();
    SetShown(Grid, false);
    SetShown(PasekObjasnieniaOceny, false);
    SetShown(ToolBar2, true);
    SetShown(Pulpit, false);
}

tav::records::ReceptionEnd TForm1::RunWindowTableDownload(const tav::link::Frame& frame,
                                                          bool allRecords,
                                                          tav::records::TableLineSink& sink) {
    PrepareTableDownload();
    const auto kind = allRecords ? tav::records::TableDownloadKind::AllRecords
                                 : tav::records::TableDownloadKind::Period;
    return tav::records::RunTableDownload(Port, RxBuffer, frame, kind, *this, GridCells, sink,
                                          [this, allRecords] {
                                              LineAccumulator.clear();
                                              StartTableReception(allRecords);
                                          });
}

void TForm1::StartTableReception(bool allRecords) {
    SetShown(Grid, true);
    SetShown(PasekObjasnieniaOceny, true);
    SetShown(SpeedButton15, true);
    Podgldraportuzgrzewania1->setEnabled(true);
    SetShown(SpeedButton16, true);
    for (QAction* a : {Kopiuj1, Wklej1, Znajd1, Zastp1}) {
        a->setEnabled(false);
    }
    Zastp1->setVisible(true);
    Zastpnazwlokalizacji1->setEnabled(true);
    Trybrcznejedycjitabeli1->setEnabled(true);
    Usuzaz1->setEnabled(true);
    SetShown(SpeedButton21, true);
    SetShown(SpeedButton20, true);
    if (allRecords) {
        Edit2->clear();
    }
}

void TForm1::ShowTableDownloadEnd() {
    DataModified = true;
    // The table view; the save button stays as the closing line left it.
    EnterTableView(IsShown(SpeedButton3));
}

std::optional<int> TForm1::QueryRecordsToDownload() {
    const int count = tav::link::QueryRecordCount(Connected, Port, RxBuffer);
    if (count == 0) {
        tav::text::Show(*this, Id::NoDataInMemory, tav::MsgKind::Information);
        return std::nullopt;
    }
    if (count == -1) {
        tav::text::Show(*this, Id::WelderNotResponding, tav::MsgKind::Error);
        return std::nullopt;
    }
    return count;
}

void TForm1::SBPobierzCaloscClick() {
    if (!Connected) {
        return;
    }
    const std::optional<int> queried = QueryRecordsToDownload();
    if (!queried) {
        return;
    }
    const int count = *queried;
    if (!AskSaveBeforeTableDownload()) {
        return;
    }

    const LongCommand running(*this);
    ShowWaitWindow();
    {
        WaitWindowGuard wait(*this);
        WindowLineSink sink(*this, count);
        const auto end = RunWindowTableDownload(
            tav::link::MakeFrame(tav::link::kAllRecordsTemplate), true, sink);
        sink.ShowProgress();
        if (end == tav::records::ReceptionEnd::NoData) {
            tav::text::Show(*this, Id::NoFusionsInMemory, tav::MsgKind::Error);
            LastLineTick = tav::GetTickCount();
        } else if (end == tav::records::ReceptionEnd::Silence) {
            tav::text::Show(*this, Id::WelderNotResponding, tav::MsgKind::Error);
            return;
        }
    }

    if (RecordsParsed == count) {
        CheckHeaderLines();
        ShowTableDownloadEnd();
    } else {
        const auto piece = [](Id id) {
            return std::make_pair(tav::text::Pl(id), tav::text::En(id));
        };
        const auto [pl1, en1] = piece(Id::CountMismatch1);
        const auto [pl2, en2] = piece(Id::CountMismatch2);
        const auto [pl3, en3] = piece(Id::CountMismatch3);
        const QString parsed = QString::number(RecordsParsed);
        const QString announced = QString::number(count);
        ShowMessageInLanguage(pl1 + parsed + pl2 + announced + pl3,
                              en1 + parsed + en2 + announced + en3, tav::MsgKind::Error);
    }
}

void TForm1::SBPobierzOkresClick() {
    if (!QueryRecordsToDownload()) {
        return;
    }

    if (W.Form2 != nullptr) {
        W.Form2->exec();
    }
    if (PeriodFrom.empty() || PeriodTo.empty() || !Connected) {
        return;
    }
    // A year below 1000 gives a date string too short for the frame.
    const auto frame = tav::link::MakePeriodFrame(PeriodFrom, PeriodTo);
    if (!frame) {
        tav::text::Show(*this, Id::InvalidDate, tav::MsgKind::Information);
        return;
    }
    if (PeriodFrom > PeriodTo) {
        tav::text::Show(*this, Id::FromAfterTo, tav::MsgKind::Information);
        return;
    }
    if (!AskSaveBeforeTableDownload()) {
        return;
    }

    const LongCommand running(*this);
    ShowWaitWindow();
    {
        WaitWindowGuard wait(*this);
        WindowLineSink sink(*this, -1);
        const auto end = RunWindowTableDownload(*frame, false, sink);
        sink.ShowProgress();
        if (end == tav::records::ReceptionEnd::NoData) {
            tav::text::Show(*this, Id::NoFusionsInPeriod, tav::MsgKind::Error);
            // Nothing to show or report: no table, no table or report tools.
            EnterEmptyView();
            SetShown(ToolBar2, true);
            wait.Close();
            LastLineTick = tav::GetTickCount();
            return;
        }
        if (end == tav::records::ReceptionEnd::Silence) {
            tav::text::Show(*this, Id::WelderNotResponding, tav::MsgKind::Error);
        }
    }
    CheckHeaderLines();
    ShowTableDownloadEnd();
}

// ------------------------------------------------------------ editing

void TForm1::w1Click() {
    if (!TableEditMode) {
        GridModel->SetEditable(true);
        Grid->setSelectionBehavior(QAbstractItemView::SelectItems);
        // The editor follows the current cell while editing is on.
        Grid->setEditTriggers(Grid->editTriggers() | QAbstractItemView::CurrentChanged);
        TableEditMode = true;
        SpeedButton21->setChecked(true);
        w1->setChecked(true);
        Grid->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    } else {
        LeaveTableEditMode();
    }
}

void TForm1::GridDblClick() {
    if (!TableEditMode) {
        w1Click();
        DataModified = true;
    }
}

void TForm1::GridKeyPress() {
    SetShown(SpeedButton3, true);
    N23->setEnabled(true);
    DataModified = true;
}

void TForm1::GridSetEditText() {
    DataModified = true;
}

void TForm1::Usuzaznaczonezgrzewy1Click() {
    DataModified = true;
    if (GridCells.RowCount() <= 2) {
        return;
    }
    const std::uint8_t language = InterfaceLanguage == 1 ? 1 : 0;
    const tav::Answer answer =
        platform_.MessageDialog(tav::text::Q(Id::RemoveSelectedQuestion, language),
                                tav::MsgKind::Confirmation, tav::kBtnYes | tav::kBtnNo);
    if (answer != tav::Answer::Yes) {
        return;
    }
    const tav::GridSelectionRect selection = tav::CurrentGridSelection(*Grid);
    GridCells.DeleteRows(selection.top, selection.bottom);
}

void TForm1::SpeedButton16Click() {
    if (W.Form10 != nullptr) {
        W.Form10->exec();
    }
    DataModified = true;
}
