// Reports on the main window: writing a report file, Save as and Open.
#include <cstring>
#include <optional>
#include <string>
#include <vector>

#include <QComboBox>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QTableView>
#include <QTextDocument>

#include "platform/QtText.h"
#include "reports/HtmlImport.h"
#include "reports/HtmlReport.h"
#include "reports/Postep.h"
#include "reports/ReportFile.h"
#include "reports/ReportSnapshot.h"
#include "reports/TagReader.h"
#include "reports/TextReport.h"
#include "shell/Form1.h"
#include "shell/QtTexts.h"
#include "shell/Texts.h"

using tav::text::Id;

namespace {

// A file chosen in the Open dialog that cannot be read.
constexpr const char* kReadErrorPl = "Nie można odczytać pliku \"%1\". %2";
constexpr const char* kReadErrorEn = "Cannot read the file \"%1\". %2";

// The language of the program's own messages: English when 1, else Polish.
std::uint8_t MessageLanguage(std::uint8_t interfaceLanguage) {
    return interfaceLanguage == 1 ? 1 : 0;
}

// File names travel as the file system's bytes; the dialogs and the caption
// use QString.
std::string FileSystemName(const QString& path) {
    return QFile::encodeName(path).toStdString();
}

QString DisplayName(const std::string& name) {
    return QFile::decodeName(QByteArray::fromStdString(name));
}

}  // namespace

// ------------------------------------------------------------ text view

std::vector<std::string> TForm1::PulpitLines() const {
    if (!PulpitHasLines()) {
        return {};
    }
    // A final line end closes the last line without opening another; a text
    // of line ends alone still has its empty lines.
    return tav::reports::SplitLines(tav::ToCp1250(Pulpit->toPlainText()));
}

bool TForm1::PulpitHasLines() const {
    return !Pulpit->document()->isEmpty();
}

// ------------------------------------------------------------ writing

std::uint8_t TForm1::WriteReportFile(const std::string& fileName) {
    using namespace tav::reports;
    const std::uint8_t language = MessageLanguage(InterfaceLanguage);

    const ReportKind kind = ReportKindOf(fileName);
    if (kind == ReportKind::Html && !IsShown(Grid)) {
        platform_.MessageDialog(tav::text::Q(Id::HtmlNotForText, language),
                                tav::MsgKind::Confirmation, tav::kBtnOk);
        return 1;
    }

    const std::string finalName = FinalReportFileName(fileName, kind);
    const QString shownName = DisplayName(finalName);
    // The temporary report of printing and preview is replaced silently.
    if (!SkipsOverwriteQuestion(fileName) && QFileInfo::exists(shownName)) {
        const QString question = tav::text::Q(Id::FileExists1, language) + shownName +
                                 tav::text::Q(Id::FileExists2, language);
        if (platform_.MessageDialog(question, tav::MsgKind::Confirmation,
                                    tav::kBtnYes | tav::kBtnNo) == tav::Answer::No) {
            return 1;
        }
    }

    // From now on the report has a language, also for the headings and for
    // later reports; it stays so even when the write below fails.
    if (DocumentLanguage == -1) {
        DocumentLanguage = static_cast<std::int8_t>(InterfaceLanguage == 0 ? 0 : 1);
    }

    std::string bytes;
    if (kind == ReportKind::Text && IsShown(Pulpit)) {
        bytes = WriteTextViewCopy(PulpitLines());
    } else {
        const ReportSnapshot snapshot{
            .Rows = GridCells,
            .CompanyName = CompanyName(),
            .TypeLine = TypeLineText(),
            .DownloadTime = tav::ToCp1250(Edit3->text()),
            .PeriodFrom = PeriodFrom,
            .PeriodTo = PeriodTo,
            .Language = DocumentLanguage,
        };
        bytes = kind == ReportKind::Html ? WriteHtmlReport(snapshot) : WriteTextReport(snapshot);
    }

    // The old file is replaced only once the new one is completely on disk.
    switch (SaveFileSafely(finalName, bytes)) {
        case kSaveWritten:
            return 0;
        case kSaveWriteError:
            platform_.MessageDialog(tav::text::Q(Id::WriteError, language), tav::MsgKind::Error,
                                    tav::kBtnOk);
            return 1;
        default:
            platform_.MessageDialog(tav::text::Q(Id::FileOpenError, language), tav::MsgKind::Error,
                                    tav::kBtnOk);
            return 1;
    }
}

void TForm1::SpeedButton3Click() {
    SaveDialog1.filterIndex = IsShown(Grid) ? 1 : 2;
    if (InterfaceLanguage == 0 || InterfaceLanguage == 1) {
        SaveDialog1.filter = tav::text::Q(Id::SaveFilter, InterfaceLanguage);
    }
    const std::optional<QString> chosen = platform_.SaveFileDialog(SaveDialog1);
    if (!chosen) {
        return;
    }
    const std::string name = FileSystemName(*chosen);
    if (WriteReportFile(name) != 0) {
        return;
    }
    // The caption names the file really written, extension included: it is
    // the file that printing hands on.
    setWindowTitle(
        DisplayName(tav::reports::FinalReportFileName(name, tav::reports::ReportKindOf(name))));
    DataModified = false;
}

// ------------------------------------------------------------ reading

std::string TForm1::ExtractTaggedText(std::string_view startTag, std::string_view endTag) {
    return tav::reports::ExtractTaggedText(Memo1, TagCursors, startTag, endTag);
}

void TForm1::SpeedButton2Click() {
    if (InterfaceLanguage == 0 || InterfaceLanguage == 1) {
        OpenDialog1.filter = tav::text::Q(Id::OpenFilter, InterfaceLanguage);
    }
    const std::optional<QString> chosen = platform_.OpenFileDialog(OpenDialog1);
    if (!chosen) {
        return;
    }

    const bool textShown = IsShown(Pulpit) && PulpitHasLines();
    const bool tableShown = IsShown(Grid) && GridCells.RowCount() > 2;
    if ((textShown || tableShown) && DataModified) {
        // Whatever the answer and however the save ends, the file is opened.
        AskSaveData(tav::text::Pl(Id::SaveDataToAFile), tav::text::En(Id::SaveDataToAFile),
                    tav::kBtnYes | tav::kBtnNo, SaveStyle::ThroughSaveAs);
    }

    // The file is read before anything on the window changes, so a file
    // that cannot be read leaves the window as it was.
    const std::string name = FileSystemName(*chosen);
    std::vector<std::string> lines;
    int error = 0;
    if (!tav::reports::LoadFileLines(name, lines, &error)) {
        const bool english = MessageLanguage(InterfaceLanguage) == 1;
        platform_.MessageDialog(QString::fromUtf8(english ? kReadErrorEn : kReadErrorPl)
                                    .arg(*chosen, QString::fromLocal8Bit(std::strerror(error))),
                                tav::MsgKind::Error, tav::kBtnOk);
        return;
    }

    if (tav::reports::ReportKindOf(name) == tav::reports::ReportKind::Html) {
        OpenHtmlReport(*chosen, std::move(lines));
    } else {
        OpenTextFile(*chosen, lines);
    }
}

void TForm1::OpenHtmlReport(const QString& path, std::vector<std::string> lines) {
    using namespace tav::reports;
    const std::uint8_t language = MessageLanguage(InterfaceLanguage);

    Memo1 = std::move(lines);
    TagCursors.TagCursor = 0;
    const std::string marker = ExtractTaggedText(kReportMarkerStart, kReportMarkerEnd);
    if (marker.empty()) {
        // Not a fusion report: the table, the text view and the header
        // fields stay as they were.
        platform_.MessageDialog(tav::text::Q(Id::NotAReport, language), tav::MsgKind::Error,
                                tav::kBtnOk);
        return;
    }
    const std::int32_t markerRows = ParseDecimal(marker).value_or(0);

    Pulpit->clear();
    EnterTableView(true);
    GridCells.SetRowCount(2);

    // The progress window when the marker gives a row number, the status
    // text otherwise. Only painting is let through while the rows are read.
    TPostep* postep = markerRows != 0 ? W.Postep : nullptr;
    if (postep != nullptr) {
        postep->ProgressBar->setValue(0);
        postep->ShowCentred();
    } else if (markerRows == 0) {
        SetStatusSimpleText(tav::text::Q(Id::ImportStatus, language));
    }
    platform_.ProcessMessages(false);

    int shownPercent = 0;
    const HtmlImportResult report = ImportHtmlReport(
        Memo1, TagCursors, InterfaceLanguage, [&](int rowsImported, std::int32_t rowNumber) {
            if (postep == nullptr) {
                return;
            }
            const int percent = ImportProgressPercent(rowsImported, rowNumber);
            if (percent != shownPercent) {
                shownPercent = percent;
                postep->ProgressBar->setValue(percent);
                platform_.ProcessMessages(false);
            }
        });

    DocumentLanguage = report.DocumentLanguage;
    SetGridHeaders();
    ComboBox1->setEditText(tav::FromCp1250(report.CompanyName));
    SetStatusPanelText(1, tav::FromCp1250(report.TypeLine));
    Edit3->setText(tav::FromCp1250(report.DownloadTime));
    PeriodFrom = report.PeriodFrom;
    PeriodTo = report.PeriodTo;
    Edit2->setText(tav::FromCp1250(PeriodFrom + " " + PeriodTo));
    // n rows give the row count n + 1; no row leaves row 1 empty.
    LoadRowsIntoGrid(report.Rows, GridCells);

    if (postep != nullptr) {
        postep->close();
    } else if (markerRows == 0) {
        SetStatusSimpleText(QString());
    }

    setWindowTitle(path);
    DataModified = false;
    LeaveTableEditMode();
}

void TForm1::OpenTextFile(const QString& path, const std::vector<std::string>& lines) {
    EnterTextView(false);
    std::size_t size = 0;
    for (const std::string& line : lines) {
        size += line.size() + 1;
    }
    std::string text;
    text.reserve(size);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (i != 0) {
            text += '\n';
        }
        text += lines[i];
    }
    Pulpit->setPlainText(tav::FromCp1250(text));
    setWindowTitle(path);
    DataModified = false;
}
