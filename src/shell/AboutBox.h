// The about box: product name, the version "3.2" in large teal letters, the
// "Wersja:"/"Version:" label of the interface language, the maker's mail
// link and OK. Shown modally by the Help menu's About item.
#pragma once

#include <cstdint>

#include <QDialog>

class QLabel;
class QPushButton;

namespace tav {
class PlatformService;
}

class TAboutBox : public QDialog {
    Q_OBJECT

public:
    // `interfaceLanguage` is the main window's field, read at every showing.
    TAboutBox(tav::PlatformService& platform, const std::uint8_t& interfaceLanguage,
              QWidget* parent = nullptr);

    QLabel* ProductName = nullptr;
    QLabel* Label2 = nullptr;    // version number
    QLabel* Version = nullptr;   // "Wersja:" / "Version:"
    QLabel* Label1 = nullptr;    // mail link
    QPushButton* OKButton = nullptr;

    void FormShow();
    void Label1Click();
    void OKButtonClick();

protected:
    void showEvent(QShowEvent* event) override;

private:
    tav::PlatformService& platform_;
    const std::uint8_t& interfaceLanguage_;
};
