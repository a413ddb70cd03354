#include "platform/QtPlatformService.h"

#include <QAbstractButton>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QFileDialog>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMessageBox>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QRegularExpression>
#include <QUrl>

#include "reports/PrintFile.h"

namespace tav {
namespace {

constexpr int kShellOk = 42;
constexpr int kShellFailed = 2;

QString Title() {
    const QString name = QGuiApplication::applicationDisplayName();
    return name.isEmpty() ? QStringLiteral("Tavelin") : name;
}

QMessageBox::Icon IconOf(MsgKind kind) {
    switch (kind) {
        case MsgKind::Warning:
            return QMessageBox::Warning;
        case MsgKind::Error:
            return QMessageBox::Critical;
        case MsgKind::Information:
            return QMessageBox::Information;
        case MsgKind::Confirmation:
            return QMessageBox::Question;
    }
    return QMessageBox::NoIcon;
}

QStringList SplitFilter(const QString& filter) {
    return filter.split(QLatin1Char('|'));
}

}  // namespace

QStringList FilterPatterns(const QString& filter, int index) {
    const QStringList parts = SplitFilter(filter);
    const qsizetype at = static_cast<qsizetype>(index - 1) * 2 + 1;
    QStringList patterns;
    if (index < 1 || at >= parts.size()) {
        return patterns;
    }
    for (const QString& p : parts.at(at).split(QLatin1Char(';'))) {
        const QString trimmed = p.trimmed();
        if (!trimmed.isEmpty()) {
            patterns << trimmed;
        }
    }
    return patterns;
}

QStringList NameFilters(const QString& filter) {
    const QStringList parts = SplitFilter(filter);
    QStringList out;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        const QStringList patterns = FilterPatterns(filter, static_cast<int>(i / 2 + 1));
        out << QStringLiteral("%1 (%2)").arg(parts.at(i), patterns.join(QLatin1Char(' ')));
    }
    return out;
}

QString WithFilterExtension(const QString& path, const QStringList& patterns) {
    if (path.isEmpty() || patterns.isEmpty() || QFileInfo(path).fileName().contains('.')) {
        return path;
    }
    static const QRegularExpression kPlainExtension(QStringLiteral("^\\*(\\.[^*?\\[\\]]+)$"));
    const QRegularExpressionMatch m = kPlainExtension.match(patterns.first());
    return m.hasMatch() ? path + m.captured(1) : path;
}

bool LooksLikeUrl(const QString& file) {
    static const QRegularExpression kScheme(QStringLiteral("^[A-Za-z][A-Za-z0-9+.-]+:"));
    return kScheme.match(file).hasMatch();
}

QtPlatformService::QtPlatformService(QWidget* parentWindow) : parent_(parentWindow) {}

Answer QtPlatformService::MessageDialog(const QString& text, MsgKind kind, unsigned buttons) {
    QMessageBox box(IconOf(kind), Title(), text, QMessageBox::NoButton, parent_);
    QMessageBox::StandardButtons set;
    if ((buttons & kBtnYes) != 0U)
        set |= QMessageBox::Yes;
    if ((buttons & kBtnNo) != 0U)
        set |= QMessageBox::No;
    if ((buttons & kBtnOk) != 0U)
        set |= QMessageBox::Ok;
    if ((buttons & kBtnCancel) != 0U)
        set |= QMessageBox::Cancel;
    if (set == QMessageBox::NoButton) {
        set = QMessageBox::Ok;
    }
    box.setStandardButtons(set);
    switch (box.exec()) {
        case QMessageBox::Yes:
            return Answer::Yes;
        case QMessageBox::No:
            return Answer::No;
        case QMessageBox::Ok:
            return Answer::Ok;
        case QMessageBox::Cancel:
            return Answer::Cancel;
        default:
            return Answer::None;
    }
}

int QtPlatformService::MessageBox(const QString& text, const QString& caption, unsigned flags) {
    // The flag word: buttons in the low 4 bits, the icon in the next 4, the
    // default button from bit 8. Results are the classic box's numbers.
    struct Button {
        QMessageBox::StandardButton button;
        int result;
    };
    std::vector<Button> buttons;
    switch (flags & 0xFU) {
        case 1:
            buttons = {{QMessageBox::Ok, 1}, {QMessageBox::Cancel, 2}};
            break;
        case 2:
            buttons = {{QMessageBox::Abort, 3}, {QMessageBox::Retry, 4}, {QMessageBox::Ignore, 5}};
            break;
        case 3:
            buttons = {{QMessageBox::Yes, 6}, {QMessageBox::No, 7}, {QMessageBox::Cancel, 2}};
            break;
        case 4:
            buttons = {{QMessageBox::Yes, 6}, {QMessageBox::No, 7}};
            break;
        case 5:
            buttons = {{QMessageBox::Retry, 4}, {QMessageBox::Cancel, 2}};
            break;
        default:
            buttons = {{QMessageBox::Ok, 1}};
            break;
    }
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    switch (flags & 0xF0U) {
        case 16:
            icon = QMessageBox::Critical;
            break;
        case 32:
            icon = QMessageBox::Question;
            break;
        case 48:
            icon = QMessageBox::Warning;
            break;
        case 64:
            icon = QMessageBox::Information;
            break;
        default:
            break;
    }
    QMessageBox box(icon, caption, text, QMessageBox::NoButton, parent_);
    for (const Button& b : buttons) {
        box.addButton(b.button);
    }
    const std::size_t defaultIndex = (flags >> 8) & 0xFU;
    if (defaultIndex < buttons.size()) {
        box.setDefaultButton(buttons[defaultIndex].button);
    }
    const int pressed = box.exec();
    for (const Button& b : buttons) {
        if (pressed == b.button) {
            return b.result;
        }
    }
    return 0;
}

std::optional<QString> QtPlatformService::RunFileDialog(FileDialogSettings& settings, bool save) {
    QFileDialog dialog(parent_);
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    const QStringList filters = NameFilters(settings.filter);
    if (!filters.isEmpty()) {
        dialog.setNameFilters(filters);
        const int index = settings.filterIndex >= 1 && settings.filterIndex <= filters.size()
                              ? settings.filterIndex
                              : 1;
        dialog.selectNameFilter(filters.at(index - 1));
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return std::nullopt;
    }
    const qsizetype chosen = filters.indexOf(dialog.selectedNameFilter());
    if (chosen >= 0) {
        settings.filterIndex = static_cast<int>(chosen + 1);
    }
    QString path = dialog.selectedFiles().first();
    if (save) {
        // A name typed without an extension gets the chosen filter's
        // extension, or the default extension when the filter has none.
        QStringList patterns = FilterPatterns(settings.filter, settings.filterIndex);
        if (patterns.isEmpty() && !settings.defaultExt.isEmpty()) {
            patterns << settings.defaultExt;
        }
        path = WithFilterExtension(path, patterns);
    }
    return path;
}

std::optional<QString> QtPlatformService::SaveFileDialog(FileDialogSettings& settings) {
    return RunFileDialog(settings, true);
}

std::optional<QString> QtPlatformService::OpenFileDialog(FileDialogSettings& settings) {
    return RunFileDialog(settings, false);
}

bool QtPlatformService::PrintDialog(QPrinter& printer) {
    QPrintDialog dialog(&printer, parent_);
    return dialog.exec() == QDialog::Accepted;
}

bool QtPlatformService::PrinterSetupDialog(QPrinter& printer) {
    QPageSetupDialog dialog(&printer, parent_);
    return dialog.exec() == QDialog::Accepted;
}

int QtPlatformService::ShellExecute(const QString& verb, const QString& file) {
    if (verb == QLatin1String("open")) {
        if (LooksLikeUrl(file)) {
            return QDesktopServices::openUrl(QUrl(file)) ? kShellOk : kShellFailed;
        }
        const QFileInfo info(file);
        if (!info.exists()) {
            return kShellFailed;
        }
        return QDesktopServices::openUrl(QUrl::fromLocalFile(info.absoluteFilePath()))
                   ? kShellOk
                   : kShellFailed;
    }
    if (verb == QLatin1String("print")) {
        if (!QFileInfo(file).isFile()) {
            return kShellFailed;
        }
        const QPrinterInfo defaultPrinter = QPrinterInfo::defaultPrinter();
        if (defaultPrinter.isNull()) {
            return kShellFailed;
        }
        QPrinter printer(defaultPrinter, QPrinter::HighResolution);
        return reports::PrintReportFile(file, printer) ? kShellOk : kShellFailed;
    }
    return kShellFailed;
}

void QtPlatformService::ProcessMessages(bool userInput) {
    QCoreApplication::processEvents(userInput ? QEventLoop::AllEvents
                                              : QEventLoop::ExcludeUserInputEvents);
}

}  // namespace tav
