// Everything that waits for a person or the desktop goes through this one
// service: message boxes, file dialogs, print dialogs, the desktop's open and
// print actions, and processing pending window events. The program uses the
// Qt implementation (QtPlatformService); tests install a fake that answers
// from a queue and records every message shown.
#pragma once

#include <optional>

#include <QString>

class QPrinter;

namespace tav {

enum class MsgKind { Warning, Error, Information, Confirmation };

// Button sets and answers. The answer values are those the program compares
// with (Yes = 6, No = 7, as a message box returns them).
enum MsgButton : unsigned {
    kBtnOk = 1U << 0,
    kBtnYes = 1U << 1,
    kBtnNo = 1U << 2,
    kBtnCancel = 1U << 3,
};
enum class Answer : int { None = 0, Ok = 1, Cancel = 2, Yes = 6, No = 7 };

// The simple message box's flag word (buttons | icon | default button).
inline constexpr unsigned kMbYesNo = 4;
inline constexpr unsigned kMbIconWarning = 48;
inline constexpr unsigned kMbDefButton2 = 256;

// A file dialog's settings, kept between runs as the program's dialogs are.
struct FileDialogSettings {
    QString filter;      // "Name|*.a;*.b|Name|*.c"
    int filterIndex = 1; // 1-based
    QString defaultExt;  // e.g. "*.txt"
};

class PlatformService {
public:
    virtual ~PlatformService() = default;

    // A message dialog of a kind with a button set; returns the button
    // pressed (Answer::None when the box was closed otherwise).
    virtual Answer MessageDialog(const QString& text, MsgKind kind, unsigned buttons) = 0;

    // The simple message box: text, title and a flag word (kMb* values);
    // returns 6 for Yes, 7 for No, 1 for OK, 0 when closed.
    virtual int MessageBox(const QString& text, const QString& caption, unsigned flags) = 0;

    // File dialogs: the chosen path, or nothing when cancelled. The save
    // dialog updates `settings.filterIndex` to the filter the user chose.
    virtual std::optional<QString> SaveFileDialog(FileDialogSettings& settings) = 0;
    virtual std::optional<QString> OpenFileDialog(FileDialogSettings& settings) = 0;

    // The print dialog and the printer setup dialog on `printer`; false when
    // cancelled.
    virtual bool PrintDialog(QPrinter& printer) = 0;
    virtual bool PrinterSetupDialog(QPrinter& printer) = 0;

    // The desktop's "open" or "print" action on a file or URL. Returns a
    // number above 32 on success, as the program's callers expect.
    virtual int ShellExecute(const QString& verb, const QString& file) = 0;

    // Processes pending window events; with `userInput` false only painting
    // and timers, no clicks or keys.
    virtual void ProcessMessages(bool userInput) = 0;
};

}  // namespace tav
