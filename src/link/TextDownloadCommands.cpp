// The two text downloads of the main window: all fusions ("TZC", characters
// outside 32..124 shown as blanks) and the whole memory ("TZK", bytes as
// they come, byte 26 closing a line). Both show the welder's report in the
// text view line by line as it arrives.
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTableView>
#include <QTextCursor>
#include <QTextDocument>

#include "link/TextReception.h"
#include "platform/QtText.h"
#include "platform/Tick.h"
#include "shell/Form1.h"
#include "shell/QtTexts.h"

using tav::text::Id;

namespace {

// Status text while the whole-memory download waits for the welder's next
// byte: the seconds left before the download ends.
constexpr const char* kWaitingPl = "Oczekiwanie na dane ze zgrzewarki... %1 s";
constexpr const char* kWaitingEn = "Waiting for data from the welder... %1 s";
// The countdown shows once the welder has been silent this long.
constexpr std::uint32_t kCountdownAfterMs = 1000;
// While waiting, the window is repainted about this often.
constexpr std::uint32_t kRepaintEveryMs = 100;

// Adds the completed lines to the text view, repaints the window after
// each, and shows a countdown while a long silence runs.
class PulpitLineSink final : public tav::link::TextLineSink {
  public:
    PulpitLineSink(TForm1& form, tav::link::TextDownloadKind kind)
        : form_(form), kind_(kind), cursor_(form.Pulpit->document()) {}

    ~PulpitLineSink() override { EndCountdown(); }
    PulpitLineSink(const PulpitLineSink&) = delete;
    PulpitLineSink& operator=(const PulpitLineSink&) = delete;

    int Lines() const { return lines_; }

    void EndCountdown() {
        if (countdownShown_) {
            form_.SetStatusSimpleText(QString());
            countdownShown_ = false;
        }
    }

    void AddLine(std::string_view line) override {
        EndCountdown();
        QScrollBar* bar = form_.Pulpit->verticalScrollBar();
        const bool atBottom = bar->value() == bar->maximum();
        // The first line goes into the document's first block, every later
        // one into a block of its own, so an empty first line (a byte 26
        // right at the start) still counts as a line.
        cursor_.movePosition(QTextCursor::End);
        if (lines_ > 0) {
            cursor_.insertBlock();
        }
        cursor_.insertText(tav::FromCp1250(line));
        ++lines_;
        if (atBottom) {
            bar->setValue(bar->maximum());
        }
        form_.Platform().ProcessMessages(true);
    }

    void Waiting(std::uint32_t silentMs, std::uint32_t limitMs) override {
        if (kind_ != tav::link::TextDownloadKind::WholeMemory) {
            return;
        }
        const std::uint32_t slice = silentMs / kRepaintEveryMs;
        if (slice == lastSlice_) {
            return;
        }
        lastSlice_ = slice;
        if (silentMs >= kCountdownAfterMs && silentMs < limitMs) {
            const std::uint32_t left = (limitMs - silentMs + 999) / 1000;
            if (left != shownSeconds_ || !countdownShown_) {
                const char* format = form_.InterfaceLanguage == 1 ? kWaitingEn : kWaitingPl;
                form_.SetStatusSimpleText(tav::U8(format).arg(left));
                shownSeconds_ = left;
                countdownShown_ = true;
            }
        }
        // Painting only: no click can start a command inside the wait.
        form_.Platform().ProcessMessages(false);
    }

  private:
    TForm1& form_;
    tav::link::TextDownloadKind kind_;
    QTextCursor cursor_;
    int lines_ = 0;
    std::uint32_t lastSlice_ = 0;
    std::uint32_t shownSeconds_ = 0;
    bool countdownShown_ = false;
};

}  // namespace

void TForm1::SpeedButton7Click() {
    RunTextDownload(false);
}

void TForm1::Pobierzcazawartopamiciwpostacitekstowej1Click() {
    RunTextDownload(true);
}

void TForm1::RunTextDownload(bool wholeMemory) {
    const auto kind = wholeMemory ? tav::link::TextDownloadKind::WholeMemory
                                  : tav::link::TextDownloadKind::AllFusions;
    if (!Connected) {
        return;
    }
    if (DataModified && (IsShown(Pulpit) || IsShown(Grid))) {
        AskSaveData(tav::text::Pl(Id::SaveBeforeConnect), tav::text::En(Id::SaveBeforeConnect),
                    tav::kBtnYes | tav::kBtnNo, SaveStyle::ThroughSaveAs);
        Pulpit->clear();
        SetShown(Pulpit, false);
    }
    SetStatusPanelText(1, QString());

    SetShown(Grid, false);
    SetShown(PasekObjasnieniaOceny, false);
    GridCells.SetRowCount(2);
    SetShown(ToolBar2, false);
    Pulpit->clear();
    SetShown(Pulpit, true);
    LeaveTableEditMode();

    // The received lines are the document's starting point, not edits the
    // user could undo one by one.
    QTextDocument* document = Pulpit->document();
    const bool undo = document->isUndoRedoEnabled();
    document->setUndoRedoEnabled(false);
    struct RestoreUndo {
        QTextDocument* document;
        bool enabled;
        ~RestoreUndo() { document->setUndoRedoEnabled(enabled); }
    } restoreUndo{document, undo};

    LongCommand running(*this);
    // The welder's lines are not mixed with typing while they arrive.
    Pulpit->setReadOnly(true);
    struct EndReadOnly {
        QPlainTextEdit* edit;
        ~EndReadOnly() { edit->setReadOnly(false); }
    } endReadOnly{Pulpit};
    PulpitLineSink sink(*this, kind);
    tav::link::RunTextDownload(Port, RxBuffer, kind, LineAccumulator, sink);
    sink.EndCountdown();

    DataModified = false;
    // A line without its line end is not shown.
    LineAccumulator.clear();
    if (sink.Lines() > 0) {
        EnterTextView(true);
    } else {
        SetShown(Pulpit, false);
        EnterEmptyView();
        tav::text::Show(*this, Id::WelderNotResponding, tav::MsgKind::Error);
    }
}
