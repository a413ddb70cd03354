// A platform service for GUI tests: it answers every dialog from queues the
// test fills beforehand and records everything the program showed, so a
// test checks exact texts and never waits for a person.
//
//   tav::test::FakePlatform platform;
//   platform.QueueAnswer(tav::Answer::No);          // the next message dialog
//   platform.QueueSaveFile("/tmp/x/report.htm");   // the next save dialog
//   form.SpeedButton1Click();
//   QCOMPARE(platform.Messages().size(), 1);
//   QCOMPARE(platform.Messages()[0].text, QString("Save data to the file?"));
//
// Rules:
//  - A message dialog with more than one button, a simple message box whose
//    flag word asks for more than OK, and every file, print and printer
//    setup dialog takes the next queued answer of its kind. With none
//    queued the running test FAILS at once (QTest::qFail, naming the
//    dialog and its text) and the dialog gets a cancel-like answer (Cancel,
//    No, a cancelled file dialog, a cancelled print dialog), so an
//    offscreen run can never hang on a modal box.
//  - A message with the OK button only has nothing to decide: it is
//    answered Ok without a queued answer (a queued MessageDialog answer is
//    still taken first if one is waiting).
//  - ShellExecute takes the next queued result; with none queued the test
//    fails as for a dialog and the call returns 2 (failure).
//  - ProcessMessages really processes Qt events (with or without user
//    input, as asked), counts the calls and then runs the hook set with
//    OnProcessMessages, so a test can act at exactly the points where the
//    program lets the user in (e.g. close the search window).
//  - Every answer queue is first in, first out. Leftover answers are not an
//    error by themselves; check UnusedAnswers() where it matters.
#pragma once

#include <deque>
#include <functional>
#include <optional>
#include <vector>

#include <QString>

#include "platform/PlatformService.h"

namespace tav::test {

// One message the program showed.
struct ShownMessage {
    enum class Type { Dialog, SimpleBox };
    Type type = Type::Dialog;
    QString text;
    // Dialog: the kind and the button set (kBtn* bits).
    MsgKind kind = MsgKind::Information;
    unsigned buttons = 0;
    // SimpleBox: the caption and the flag word (kMb* values).
    QString caption;
    unsigned flags = 0;
    // What the fake answered (Answer value for a dialog, the box's number
    // for a simple box).
    int answer = 0;
};

// One file dialog the program ran, with the settings it saw.
struct FileDialogCall {
    bool save = false;
    QString filter;
    int filterIndex = 0;
    QString defaultExt;
};

struct ShellCall {
    QString verb;
    QString file;
};

class FakePlatform final : public PlatformService {
public:
    // ---------------------------------------------------------- answers
    // The next message dialog (MessageDialog).
    void QueueAnswer(Answer answer);
    // The next simple message box (MessageBox): 6 Yes, 7 No, 1 OK, 2 Cancel.
    void QueueBoxResult(int result);
    // The next save dialog: the chosen path, and optionally the filter index
    // the user picked (otherwise the settings' index stays as it was).
    void QueueSaveFile(const QString& path, std::optional<int> filterIndex = std::nullopt);
    void QueueSaveCancel();
    // The next open dialog.
    void QueueOpenFile(const QString& path);
    void QueueOpenCancel();
    // The next print dialog: accepted or cancelled. With `pdfPath`, an
    // accepted dialog points the printer at that PDF file, so what the
    // program prints lands in a file the test can inspect.
    void QueuePrintDialog(bool accept, const QString& pdfPath = QString());
    // The next printer setup dialog.
    void QueuePrinterSetup(bool accept);
    // The next ShellExecute result (above 32 success).
    void QueueShellResult(int result);

    // ---------------------------------------------------------- records
    const std::vector<ShownMessage>& Messages() const { return messages_; }
    // The texts of the messages, in order.
    QStringList MessageTexts() const;
    // Returns the messages shown so far and forgets them.
    std::vector<ShownMessage> TakeMessages();
    void ClearMessages() { messages_.clear(); }
    const std::vector<FileDialogCall>& FileDialogs() const { return fileDialogs_; }
    const std::vector<ShellCall>& ShellCalls() const { return shellCalls_; }
    int PrintDialogs() const { return printDialogs_; }
    int PrinterSetupDialogs() const { return printerSetupDialogs_; }
    int ProcessMessagesCalls() const { return processCalls_; }
    // How often a dialog came with no answer queued (each one failed the test).
    int Unanswered() const { return unanswered_; }
    // Answers queued but never taken, of all kinds together.
    int UnusedAnswers() const;

    // Runs after every ProcessMessages call (after the events); empty to stop.
    void OnProcessMessages(std::function<void()> hook) { processHook_ = std::move(hook); }
    // Runs while a message (dialog or simple box) is up, after it is
    // recorded: the test sees the window as the user sees it behind the box.
    void OnMessage(std::function<void(const ShownMessage&)> hook) {
        messageHook_ = std::move(hook);
    }

    // ---------------------------------------------------------- service
    Answer MessageDialog(const QString& text, MsgKind kind, unsigned buttons) override;
    int MessageBox(const QString& text, const QString& caption, unsigned flags) override;
    std::optional<QString> SaveFileDialog(FileDialogSettings& settings) override;
    std::optional<QString> OpenFileDialog(FileDialogSettings& settings) override;
    bool PrintDialog(QPrinter& printer) override;
    bool PrinterSetupDialog(QPrinter& printer) override;
    int ShellExecute(const QString& verb, const QString& file) override;
    void ProcessMessages(bool userInput) override;

private:
    struct FileAnswer {
        bool chosen = false;  // false: the dialog is cancelled
        QString path;
        int filterIndex = 0;  // 0: the settings' index stays
    };
    struct PrintAnswer {
        bool accept = false;
        QString pdfPath;
    };
    void FailUnanswered(const char* what, const QString& detail);

    std::deque<Answer> answers_;
    std::deque<int> boxResults_;
    std::deque<FileAnswer> saveFiles_;
    std::deque<FileAnswer> openFiles_;
    std::deque<PrintAnswer> printAnswers_;
    std::deque<bool> setupAnswers_;
    std::deque<int> shellResults_;

    std::vector<ShownMessage> messages_;
    std::vector<FileDialogCall> fileDialogs_;
    std::vector<ShellCall> shellCalls_;
    int printDialogs_ = 0;
    int printerSetupDialogs_ = 0;
    int processCalls_ = 0;
    int unanswered_ = 0;
    std::function<void()> processHook_;
    std::function<void(const ShownMessage&)> messageHook_;
};

}  // namespace tav::test
