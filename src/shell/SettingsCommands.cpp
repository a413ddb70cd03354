// config.cfg on the main window: loading at start-up, saving, and the "+"
// button that stores the company name.
#include <QComboBox>

#include "platform/QtText.h"
#include "shell/Form1.h"
#include "shell/QtTexts.h"
#include "shell/Settings.h"

using tav::text::Id;

namespace {

// The company box's list holds one entry, the name last loaded or saved.
void SetCompanyListEntry(QComboBox* box, const QString& name) {
    if (box->count() == 0) {
        box->addItem(name);
    } else {
        box->setItemText(0, name);
    }
}

}  // namespace

int TForm1::LoadSettingsFile() {
    const int result = tav::ReadSettingsFile(SettingsPath, SettingsRecord);
    if (result != 0) {
        return result;
    }
    InterfaceLanguage = tav::SettingsLanguage(SettingsRecord);
    const QString company = tav::FromCp1250(tav::SettingsCompany(SettingsRecord));
    SetCompanyListEntry(ComboBox1, company);
    ComboBox1->setEditText(company);
    return 0;
}

int TForm1::SaveSettingsFile() {
    tav::StoreSettings(SettingsRecord, InterfaceLanguage, CompanyName());
    return tav::WriteSettingsFile(SettingsPath, SettingsRecord);
}

void TForm1::SpeedButton9Click() {
    const int result = SaveSettingsFile();
    const QString company = ComboBox1->currentText();
    SetCompanyListEntry(ComboBox1, company);
    ComboBox1->setEditText(company);
    // A name that did not reach the file is not reported as saved.
    tav::text::Show(*this, result == 0 ? Id::CompanyNameSaved : Id::CompanyNameNotSaved,
                    result == 0 ? tav::MsgKind::Information : tav::MsgKind::Error);
}
