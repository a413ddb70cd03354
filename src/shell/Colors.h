// The colours the program paints with, by the names the rest of the program
// knows them by. Colour values stored as one number are BGR (red in the low
// byte), as the welder software always kept them: FromBgr converts.
#pragma once

#include <cstdint>

#include <QColor>

namespace tav::colors {

inline QColor FromBgr(std::uint32_t bgr) {
    return QColor(static_cast<int>(bgr & 0xFFU), static_cast<int>((bgr >> 8) & 0xFFU),
                  static_cast<int>((bgr >> 16) & 0xFFU));
}

inline QColor clRed() {
    return QColor(255, 0, 0);
}
inline QColor clLime() {
    return QColor(0, 255, 0);
}
inline QColor clTeal() {
    return QColor(0, 128, 128);
}
inline QColor clGray() {
    return QColor(128, 128, 128);
}
inline QColor clNavy() {
    return QColor(0, 0, 128);
}
inline QColor clBlue() {
    return QColor(0, 0, 255);
}
inline QColor clYellow() {
    return QColor(255, 255, 0);
}
inline QColor clBlack() {
    return QColor(0, 0, 0);
}
inline QColor clWhite() {
    return QColor(255, 255, 255);
}
// The legend panel's light yellow (13041663).
inline QColor LegendYellow() {
    return FromBgr(13041663);
}
// The help windows' light yellow (14024191).
inline QColor HelpYellow() {
    return FromBgr(14024191);
}

}  // namespace tav::colors
