// Replace all on a 50000-line text in the text view, offscreen: the find and
// replace dialog's Replace all from the press to the rewritten, repainted
// view (the closing "end of document" box answered at once).
#include <QApplication>
#include <QPlainTextEdit>
#include <QWindow>
#include <cstdio>

#include "BenchOut.h"
#include "gui/FakePlatform.h"
#include "shell/AppWindows.h"
#include "shell/FindReplaceDialog.h"
#include "shell/Form1.h"

int main(int argc, char* argv[]) {
    constexpr int kLines = 50000;
    QApplication app(argc, argv);
    tav::test::FakePlatform platform;
    tav::AppWindows windows =
        tav::CreateAppWindows(platform, "/nonexistent/tavelin-bench/config.cfg");
    TForm1& form = *windows.Form1;
    form.showMaximized();
    while (form.windowHandle() == nullptr || !form.windowHandle()->isExposed()) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    }

    // Lines as the welder's memory dump has them, one site word in each.
    QString text;
    text.reserve(kLines * 90);
    for (int i = 1; i <= kLines; ++i) {
        text += QStringLiteral("#%1 SITE=%2 DATE=2009.03.15 TIME=07:42 OP=01 U=39.5 T=120 R=1.25 +\n")
                    .arg(i, 5, 10, QLatin1Char('0'))
                    .arg(1000 + i % 100);
    }
    form.EnterTextView(true);
    form.Pulpit->setPlainText(text);
    form.Pulpit->moveCursor(QTextCursor::Start);
    QCoreApplication::processEvents();

    tav::FindReplaceDialog& dialog = *form.ReplaceDialog1;
    dialog.SetFindText(QStringLiteral("SITE"));
    dialog.SetReplaceText(QStringLiteral("LOKALIZACJA"));
    platform.QueueAnswer(tav::Answer::Ok);  // "end of document"
    tav::bench::Stopwatch replace;
    dialog.PressReplaceAll();
    QCoreApplication::processEvents();
    const double ms = replace.Ms();

    const int replaced = static_cast<int>(form.Pulpit->toPlainText().count(QStringLiteral("LOKALIZACJA=")));
    if (replaced != kLines) {
        std::fprintf(stderr, "%d of %d lines replaced\n", replaced, kLines);
        return 1;
    }
    tav::bench::Print("replace_all", ms, "ms", "replace all on a 50000-line text");
    tav::bench::PrintPeakRss("replace_rss", "peak memory: replace all");
    return 0;
}
