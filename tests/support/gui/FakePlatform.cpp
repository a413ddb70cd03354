#include "gui/FakePlatform.h"

#include <QCoreApplication>
#include <QPrinter>
#include <QTest>

namespace tav::test {
namespace {

QString KindName(MsgKind kind) {
    switch (kind) {
        case MsgKind::Warning:
            return QStringLiteral("warning");
        case MsgKind::Error:
            return QStringLiteral("error");
        case MsgKind::Information:
            return QStringLiteral("information");
        case MsgKind::Confirmation:
            return QStringLiteral("confirmation");
    }
    return QStringLiteral("?");
}

// A cancel-like answer within the button set.
Answer CancelLike(unsigned buttons) {
    if ((buttons & kBtnCancel) != 0U) {
        return Answer::Cancel;
    }
    if ((buttons & kBtnNo) != 0U) {
        return Answer::No;
    }
    return Answer::Ok;
}

}  // namespace

void FakePlatform::QueueAnswer(Answer answer) { answers_.push_back(answer); }
void FakePlatform::QueueBoxResult(int result) { boxResults_.push_back(result); }
void FakePlatform::QueueSaveFile(const QString& path, std::optional<int> filterIndex) {
    saveFiles_.push_back({true, path, filterIndex.value_or(0)});
}
void FakePlatform::QueueSaveCancel() { saveFiles_.push_back({}); }
void FakePlatform::QueueOpenFile(const QString& path) { openFiles_.push_back({true, path, 0}); }
void FakePlatform::QueueOpenCancel() { openFiles_.push_back({}); }
void FakePlatform::QueuePrintDialog(bool accept, const QString& pdfPath) {
    printAnswers_.push_back({accept, pdfPath});
}
void FakePlatform::QueuePrinterSetup(bool accept) { setupAnswers_.push_back(accept); }
void FakePlatform::QueueShellResult(int result) { shellResults_.push_back(result); }

QStringList FakePlatform::MessageTexts() const {
    QStringList texts;
    for (const ShownMessage& m : messages_) {
        texts << m.text;
    }
    return texts;
}

std::vector<ShownMessage> FakePlatform::TakeMessages() {
    std::vector<ShownMessage> taken;
    taken.swap(messages_);
    return taken;
}

int FakePlatform::UnusedAnswers() const {
    return static_cast<int>(answers_.size() + boxResults_.size() + saveFiles_.size() +
                            openFiles_.size() + printAnswers_.size() + setupAnswers_.size() +
                            shellResults_.size());
}

void FakePlatform::FailUnanswered(const char* what, const QString& detail) {
    ++unanswered_;
    const QByteArray message =
        QStringLiteral("%1 with no answer queued: %2").arg(QLatin1String(what), detail).toUtf8();
    QTest::qFail(message.constData(), __FILE__, __LINE__);
}

Answer FakePlatform::MessageDialog(const QString& text, MsgKind kind, unsigned buttons) {
    ShownMessage shown;
    shown.type = ShownMessage::Type::Dialog;
    shown.text = text;
    shown.kind = kind;
    shown.buttons = buttons;
    Answer answer = Answer::Ok;
    if (!answers_.empty()) {
        answer = answers_.front();
        answers_.pop_front();
    } else if ((buttons & ~static_cast<unsigned>(kBtnOk)) != 0U) {
        FailUnanswered("message dialog", KindName(kind) + QStringLiteral(" \"") + text +
                                             QLatin1Char('"'));
        answer = CancelLike(buttons);
    }
    shown.answer = static_cast<int>(answer);
    messages_.push_back(shown);
    if (messageHook_) {
        messageHook_(shown);
    }
    return answer;
}

int FakePlatform::MessageBox(const QString& text, const QString& caption, unsigned flags) {
    ShownMessage shown;
    shown.type = ShownMessage::Type::SimpleBox;
    shown.text = text;
    shown.caption = caption;
    shown.flags = flags;
    int result = 1;
    if (!boxResults_.empty()) {
        result = boxResults_.front();
        boxResults_.pop_front();
    } else if ((flags & 0xFU) != 0U) {
        FailUnanswered("simple message box", QLatin1Char('"') + text + QLatin1Char('"'));
        switch (flags & 0xFU) {
            case 4:
                result = 7;  // No
                break;
            case 2:
                result = 3;  // Abort
                break;
            default:
                result = 2;  // Cancel
                break;
        }
    }
    shown.answer = result;
    messages_.push_back(shown);
    if (messageHook_) {
        messageHook_(shown);
    }
    return result;
}

std::optional<QString> FakePlatform::SaveFileDialog(FileDialogSettings& settings) {
    fileDialogs_.push_back({true, settings.filter, settings.filterIndex, settings.defaultExt});
    if (saveFiles_.empty()) {
        FailUnanswered("save dialog", settings.filter);
        return std::nullopt;
    }
    const FileAnswer answer = saveFiles_.front();
    saveFiles_.pop_front();
    if (!answer.chosen) {
        return std::nullopt;
    }
    if (answer.filterIndex > 0) {
        settings.filterIndex = answer.filterIndex;
    }
    return answer.path;
}

std::optional<QString> FakePlatform::OpenFileDialog(FileDialogSettings& settings) {
    fileDialogs_.push_back({false, settings.filter, settings.filterIndex, settings.defaultExt});
    if (openFiles_.empty()) {
        FailUnanswered("open dialog", settings.filter);
        return std::nullopt;
    }
    const FileAnswer answer = openFiles_.front();
    openFiles_.pop_front();
    if (!answer.chosen) {
        return std::nullopt;
    }
    return answer.path;
}

bool FakePlatform::PrintDialog(QPrinter& printer) {
    ++printDialogs_;
    if (printAnswers_.empty()) {
        FailUnanswered("print dialog", QString());
        return false;
    }
    const PrintAnswer answer = printAnswers_.front();
    printAnswers_.pop_front();
    if (answer.accept && !answer.pdfPath.isEmpty()) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(answer.pdfPath);
    }
    return answer.accept;
}

bool FakePlatform::PrinterSetupDialog(QPrinter& /*printer*/) {
    ++printerSetupDialogs_;
    if (setupAnswers_.empty()) {
        FailUnanswered("printer setup dialog", QString());
        return false;
    }
    const bool accept = setupAnswers_.front();
    setupAnswers_.pop_front();
    return accept;
}

int FakePlatform::ShellExecute(const QString& verb, const QString& file) {
    shellCalls_.push_back({verb, file});
    if (shellResults_.empty()) {
        FailUnanswered("shell call", verb + QLatin1Char(' ') + file);
        return 2;
    }
    const int result = shellResults_.front();
    shellResults_.pop_front();
    return result;
}

void FakePlatform::ProcessMessages(bool userInput) {
    ++processCalls_;
    QCoreApplication::processEvents(userInput ? QEventLoop::AllEvents
                                              : QEventLoop::ExcludeUserInputEvents);
    if (processHook_) {
        processHook_();
    }
}

}  // namespace tav::test
