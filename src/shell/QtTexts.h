// The text table (shell/Texts.h) at the widget boundary: the texts as
// QString, and a message of the table shown in the interface language.
//
//   label->setText(tav::text::Q(Id::WaitLabel, form.InterfaceLanguage));
//   tav::text::Show(form, Id::NoDataInMemory, tav::MsgKind::Information);
#pragma once

#include <cstdint>
#include <span>

#include <QString>

#include "platform/PlatformService.h"
#include "shell/Texts.h"

class QObject;
class TForm1;

namespace tav::text {

inline QString ToQString(std::string_view utf8) {
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}
// English when `language` is 1, Polish otherwise.
inline QString Q(Id id, std::uint8_t language) {
    return ToQString(For(id, language));
}
inline QString Pl(Id id) {
    return ToQString(Get(id).pl);
}
inline QString En(Id id) {
    return ToQString(Get(id).en);
}

// form.ShowMessageInLanguage(Pl(id), En(id), kind): nothing for a language
// other than 0 and 1.
void Show(TForm1& form, Id id, MsgKind kind);

// Sets the texts of `texts` on the children of `root` found by objectName,
// in order: a hint becomes the widget's tooltip; a caption becomes a menu's
// title, a menu item's text, or a label's or button's text; a CaptionHint
// item copies the current tooltip of its button.
void ApplyControlTexts(QObject& root, std::span<const ControlText> texts, std::uint8_t language);

}  // namespace tav::text
