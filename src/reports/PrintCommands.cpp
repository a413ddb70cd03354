// Printing and previewing from the main window.
//
// The table is printed and previewed through a report file handed to the
// desktop: the file named by the window caption when the table was saved or
// opened, otherwise a fresh temporary report "~tmp.html" in the current
// directory (never deleted, overwritten each time). The text view is
// printed by the program itself, page by page.
#include <QPlainTextEdit>
#include <QTableView>
#include <QTextBlock>
#include <QTextDocument>

#include "platform/QtText.h"
#include "reports/PrintFile.h"
#include "shell/Form1.h"
#include "shell/QtTexts.h"

using tav::text::Id;

namespace {

constexpr const char* kTempReport = "~tmp.html";
constexpr const char* kTempReportFallback = "~tmp.htm";
// The desktop's results above this mean success.
constexpr int kShellSucceeded = 32;

// The print job's title, as print queues list it.
constexpr const char* kPrintJobTitlePl = "Rizede - Drukowanie danych...";
constexpr const char* kPrintJobTitleEn = "Rizede - Printing data...";
// The printer would not start or failed on the way.
constexpr const char* kPrintFailedPl = "Błąd! Nie można wydrukować danych.";
constexpr const char* kPrintFailedEn = "Error! The data cannot be printed.";

}  // namespace

void TForm1::SpeedButton5Click() {
    if (IsShown(Grid)) {
        const QString caption = windowTitle();
        if (caption.isEmpty()) {
            if (WriteReportFile(kTempReport) != 0) {
                return;  // WriteReportFile has said why
            }
            if (platform_.ShellExecute(QStringLiteral("print"), QString::fromLatin1(kTempReport)) <=
                kShellSucceeded) {
                tav::text::Show(*this, Id::PrintTempFailed, tav::MsgKind::Confirmation);
            }
        } else if (platform_.ShellExecute(QStringLiteral("print"), caption) <= kShellSucceeded) {
            tav::text::Show(*this, Id::PrintFileFailed, tav::MsgKind::Confirmation);
        }
    } else if (IsShown(Pulpit)) {
        if (!platform_.PrintDialog(Printer)) {
            return;
        }
        PrintPulpitLines();
    }
}

void TForm1::PrintPulpitLines() {
    QStringList lines;
    const QTextDocument* document = Pulpit->document();
    if (!document->isEmpty()) {
        for (QTextBlock block = document->begin(); block.isValid(); block = block.next()) {
            lines << block.text();
        }
    }
    const bool english = InterfaceLanguage == 1;
    Printer.setDocName(tav::U8(english ? kPrintJobTitleEn : kPrintJobTitlePl));
    if (!tav::reports::PrintTextLines(lines, Printer,
                                      tav::text::Q(Id::PageLabel, english ? 1 : 0))) {
        ShowMessageInLanguage(tav::U8(kPrintFailedPl), tav::U8(kPrintFailedEn),
                              tav::MsgKind::Error);
    }
}

void TForm1::PrintSetup1Click() {
    platform_.PrinterSetupDialog(Printer);
}

void TForm1::SpeedButton15Click() {
    if (!IsShown(Grid)) {
        return;
    }
    if (WriteReportFile(kTempReport) != 0) {
        return;
    }
    if (platform_.ShellExecute(QStringLiteral("open"), QString::fromLatin1(kTempReport)) >
        kShellSucceeded) {
        return;
    }
    if (WriteReportFile(kTempReportFallback) != 0) {
        return;
    }
    if (platform_.ShellExecute(QStringLiteral("open"), QString::fromLatin1(kTempReportFallback)) >
        kShellSucceeded) {
        return;
    }
    tav::text::Show(*this, Id::PreviewFailed, tav::MsgKind::Confirmation);
}
