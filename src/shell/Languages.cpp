// The interface language: re-labelling the main window and the two switches.
#include <QAbstractButton>
#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QWidget>

#include "shell/Colors.h"
#include "shell/Form1.h"
#include "shell/QtTexts.h"
#include "shell/StatusLabel.h"
#include "shell/Texts.h"

using tav::text::Id;

namespace tav::text {

namespace {

QString Name(std::string_view name) {
    return QString::fromLatin1(name.data(), static_cast<qsizetype>(name.size()));
}

void SetCaption(QObject* target, const QString& text) {
    if (auto* menu = qobject_cast<QMenu*>(target)) {
        menu->setTitle(text);
    } else if (auto* action = qobject_cast<QAction*>(target)) {
        action->setText(text);
    } else if (auto* label = qobject_cast<QLabel*>(target)) {
        label->setText(text);
    } else if (auto* button = qobject_cast<QAbstractButton*>(target)) {
        button->setText(text);
    }
}

}  // namespace

void ApplyControlTexts(QObject& root, std::span<const ControlText> texts, std::uint8_t language) {
    for (const ControlText& t : texts) {
        QObject* target = root.findChild<QObject*>(Name(t.name));
        if (target == nullptr) {
            continue;
        }
        switch (t.role) {
            case ControlRole::Hint:
                if (auto* widget = qobject_cast<QWidget*>(target)) {
                    widget->setToolTip(ToQString(language == 1 ? t.en : t.pl));
                }
                break;
            case ControlRole::Caption:
                SetCaption(target, ToQString(language == 1 ? t.en : t.pl));
                break;
            case ControlRole::CaptionHint:
                if (auto* source = root.findChild<QWidget*>(Name(t.hintOf))) {
                    SetCaption(target, source->toolTip());
                }
                break;
        }
    }
}

}  // namespace tav::text

void tav::shell::ApplyStatusLabel(TForm1& form, bool connected) {
    const std::uint8_t language = form.InterfaceLanguage;
    if (language != 0 && language != 1) {
        return;
    }
    const QColor background = connected ? colors::clLime() : colors::clRed();
    // Not connected: white text in English, black in Polish.
    const QColor text = !connected && language == 1 ? colors::clWhite() : colors::clBlack();
    form.Label1->setText(
        text::Q(connected ? Id::LabelWelderConnected : Id::LabelWelderDisconnected, language));
    for (QWidget* widget :
         {static_cast<QWidget*>(form.Label1), static_cast<QWidget*>(form.ToolBar1)}) {
        QPalette palette = widget->palette();
        palette.setColor(QPalette::Window, background);
        widget->setPalette(palette);
        widget->setAutoFillBackground(true);
    }
    QPalette labelPalette = form.Label1->palette();
    labelPalette.setColor(QPalette::WindowText, text);
    form.Label1->setPalette(labelPalette);
}

void TForm1::ApplyInterfaceLanguage() {
    SetGridHeaders();
    const std::uint8_t language = InterfaceLanguage;
    if (language != 0 && language != 1) {
        return;
    }
    // Hints, the legend, then the menus (the Tools entries copy the hints).
    tav::text::ApplyControlTexts(*this, tav::text::ControlTexts(), language);

    // The status label from the connection flag; the toolbar takes its colour.
    tav::shell::ApplyStatusLabel(*this, Connected);

    // With the port closed the connection panel is emptied; with it open the
    // panel keeps the text of the moment the welder was found.
    if (!Port.IsOpen()) {
        SetStatusPanelText(0, QString());
    }
}

namespace {

void SwitchLanguage(TForm1& form, std::uint8_t target) {
    if (form.InterfaceLanguage != target) {
        // Already the new language: the reminder speaks it while the window
        // still shows the old captions.
        form.InterfaceLanguage = target;
        tav::text::Show(form, Id::LanguageReminder, tav::MsgKind::Information);
    }
    form.InterfaceLanguage = target;
    form.ApplyInterfaceLanguage();
    form.SaveSettingsFile();
}

}  // namespace

void TForm1::Polski1Click() {
    SwitchLanguage(*this, 0);
}

void TForm1::Angielski1Click() {
    SwitchLanguage(*this, 1);
}
