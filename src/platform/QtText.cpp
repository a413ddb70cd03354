#include "platform/QtText.h"

#include "platform/Cp1250.h"

namespace tav {

QString FromCp1250(std::string_view bytes) {
    QString out;
    out.reserve(static_cast<qsizetype>(bytes.size()));
    for (char c : bytes) {
        out.append(QChar(cp1250::ToUnicode(static_cast<std::uint8_t>(c))));
    }
    return out;
}

std::string ToCp1250(const QString& text) {
    std::string out;
    out.reserve(static_cast<std::size_t>(text.size()));
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar ch = text.at(i);
        char32_t cp = ch.unicode();
        if (ch.isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate()) {
            cp = QChar::surrogateToUcs4(ch, text.at(i + 1));
            ++i;
        }
        const int byte = cp1250::FromUnicode(cp);
        out += byte < 0 ? '?' : static_cast<char>(byte);
    }
    return out;
}

}  // namespace tav
