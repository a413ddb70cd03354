// The nine windows of a run, created once at start-up in their fixed order
// and destroyed at exit: the main window first (it is the application's main
// window), then the date-range dialog, the search window, the about box, the
// import progress window, the wait window, the site-ID replacement dialog
// and the two help windows. The eight others are attached to the main window
// (TForm1::Others()). main() and the test fixture both start the program
// through CreateAppWindows, so tests see exactly what a user sees.
#pragma once

#include <memory>
#include <string>

class TForm1;
class TForm2;
class TWyszukaj;
class TAboutBox;
class TPostep;
class TForm9;
class TForm10;
class THelpFormPolski;
class THelpFormEnglish;

namespace tav {

class PlatformService;

struct AppWindows {
    AppWindows();
    ~AppWindows();  // the other windows first, the main window last
    AppWindows(AppWindows&&) noexcept;
    AppWindows& operator=(AppWindows&&) noexcept;

    std::unique_ptr<TForm1> Form1;
    std::unique_ptr<TForm2> Form2;
    std::unique_ptr<TWyszukaj> Wyszukaj;
    std::unique_ptr<TAboutBox> AboutBox;
    std::unique_ptr<TPostep> Postep;
    std::unique_ptr<TForm9> Form9;
    std::unique_ptr<TForm10> Form10;
    std::unique_ptr<THelpFormPolski> HelpFormPolski;
    std::unique_ptr<THelpFormEnglish> HelpFormEnglish;

    void Reset();
};

// Creates the nine windows (none shown yet). The main window reads
// `settingsPath` as its config.cfg while it is constructed.
AppWindows CreateAppWindows(PlatformService& platform,
                            const std::string& settingsPath = "config.cfg");

}  // namespace tav
