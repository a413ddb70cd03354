// The platform service on Qt: QMessageBox, QFileDialog, QPrintDialog and
// QPageSetupDialog, the desktop's open action (QDesktopServices) and printing
// a report file ourselves on the default printer.
#pragma once

#include <QPointer>
#include <QStringList>
#include <QWidget>

#include "platform/PlatformService.h"

namespace tav {

class QtPlatformService final : public PlatformService {
  public:
    explicit QtPlatformService(QWidget* parentWindow = nullptr);

    // The window the dialogs are centred on and modal to (the main window).
    void SetParentWindow(QWidget* window) { parent_ = window; }

    Answer MessageDialog(const QString& text, MsgKind kind, unsigned buttons) override;
    int MessageBox(const QString& text, const QString& caption, unsigned flags) override;
    std::optional<QString> SaveFileDialog(FileDialogSettings& settings) override;
    std::optional<QString> OpenFileDialog(FileDialogSettings& settings) override;
    bool PrintDialog(QPrinter& printer) override;
    bool PrinterSetupDialog(QPrinter& printer) override;
    // "open": a URL with a scheme (mailto:, http:) as it is, anything else as
    // a local file. "print": the file printed on the default printer.
    // 42 on success, 2 when the file is missing or the action failed.
    int ShellExecute(const QString& verb, const QString& file) override;
    void ProcessMessages(bool userInput) override;

  private:
    std::optional<QString> RunFileDialog(FileDialogSettings& settings, bool save);

    QPointer<QWidget> parent_;
};

// Our filter form "Name|*.a;*.b|Name|*.c" as Qt name filters
// ("Name (*.a *.b)", "Name (*.c)"); blanks around the patterns are dropped.
QStringList NameFilters(const QString& filter);

// The patterns of one entry of our filter form ("*.htm; *.html" gives
// "*.htm", "*.html").
QStringList FilterPatterns(const QString& filter, int index);

// What a save dialog returns for a name typed without an extension: the
// extension of the chosen filter's first pattern appended ("raport" with
// "*.htm;*.html" gives "raport.htm"); other names unchanged.
QString WithFilterExtension(const QString& path, const QStringList& patterns);

// Whether ShellExecute treats `file` as a URL: a scheme of two or more
// letters before a colon ("mailto:", "http:"), so that "C:\x" stays a file.
bool LooksLikeUrl(const QString& file);

}  // namespace tav
