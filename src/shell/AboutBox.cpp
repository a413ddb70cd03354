#include "shell/AboutBox.h"

#include <QLabel>
#include <QPushButton>

#include "platform/PlatformService.h"

// Placeholder until the about box is laid out: the controls exist with their
// names so the rest of the program can be built against them.
TAboutBox::TAboutBox(tav::PlatformService& platform, const std::uint8_t& interfaceLanguage,
                     QWidget* parent)
    : QDialog(parent), platform_(platform), interfaceLanguage_(interfaceLanguage) {
    setObjectName("AboutBox");
    ProductName = new QLabel("Tavelin ", this);
    Label2 = new QLabel("3.2", this);
    Version = new QLabel(this);
    Label1 = new QLabel(this);
    OKButton = new QPushButton("OK", this);
}

void TAboutBox::FormShow() {}
void TAboutBox::Label1Click() {}
void TAboutBox::OKButtonClick() { accept(); }
void TAboutBox::showEvent(QShowEvent* event) { QDialog::showEvent(event); }
