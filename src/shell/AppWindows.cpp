#include "shell/AppWindows.h"

#include "link/Wyszukaj.h"
#include "records/Form10.h"
#include "records/Form2.h"
#include "records/Form9.h"
#include "reports/Postep.h"
#include "shell/AboutBox.h"
#include "shell/Form1.h"
#include "shell/HelpForms.h"

namespace tav {

AppWindows::AppWindows() = default;
AppWindows::AppWindows(AppWindows&&) noexcept = default;

AppWindows& AppWindows::operator=(AppWindows&& other) noexcept {
    if (this != &other) {
        Reset();
        Form1 = std::move(other.Form1);
        Form2 = std::move(other.Form2);
        Wyszukaj = std::move(other.Wyszukaj);
        AboutBox = std::move(other.AboutBox);
        Postep = std::move(other.Postep);
        Form9 = std::move(other.Form9);
        Form10 = std::move(other.Form10);
        HelpFormPolski = std::move(other.HelpFormPolski);
        HelpFormEnglish = std::move(other.HelpFormEnglish);
    }
    return *this;
}

AppWindows::~AppWindows() {
    Reset();
}

void AppWindows::Reset() {
    if (Form1 != nullptr) {
        Form1->AttachWindows({});
    }
    HelpFormEnglish.reset();
    HelpFormPolski.reset();
    Form10.reset();
    Form9.reset();
    Postep.reset();
    AboutBox.reset();
    Wyszukaj.reset();
    Form2.reset();
    Form1.reset();
}

AppWindows CreateAppWindows(PlatformService& platform, const std::string& settingsPath) {
    AppWindows w;
    w.Form1 = std::make_unique<TForm1>(platform, settingsPath);
    TForm1& form = *w.Form1;
    w.Form2 = std::make_unique<TForm2>(form);
    w.Wyszukaj = std::make_unique<TWyszukaj>(form);
    w.AboutBox = std::make_unique<TAboutBox>(platform, form.InterfaceLanguage);
    w.Postep = std::make_unique<TPostep>();
    w.Form9 = std::make_unique<TForm9>(form);
    w.Form10 = std::make_unique<TForm10>(form);
    w.HelpFormPolski = std::make_unique<THelpFormPolski>();
    w.HelpFormEnglish = std::make_unique<THelpFormEnglish>();
    form.AttachWindows({w.Form2.get(), w.Wyszukaj.get(), w.AboutBox.get(), w.Postep.get(),
                        w.Form9.get(), w.Form10.get(), w.HelpFormPolski.get(),
                        w.HelpFormEnglish.get()});
    return w;
}

}  // namespace tav
