// Tavelin: start-up. Creates the windows, opens the main window maximised
// and runs the event loop. A failure during start-up is shown in a box; the
// program then ends normally.
#include <exception>

#include <QApplication>
#include <QIcon>

#include "platform/QtPlatformService.h"
#include "shell/AppWindows.h"
#include "shell/Form1.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tavelin"));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/pictures/program-icon.svg")));
    tav::QtPlatformService platform;
    QString failure;
    try {
        tav::AppWindows windows = tav::CreateAppWindows(platform);
        platform.SetParentWindow(windows.Form1.get());
        windows.Form1->showMaximized();
        QApplication::exec();
        return 0;
    } catch (const std::exception& e) {
        failure = QString::fromLocal8Bit(e.what());
    } catch (...) {
        failure = QStringLiteral("?");
    }
    platform.MessageDialog(failure, tav::MsgKind::Error, tav::kBtnOk);
    return 0;
}
