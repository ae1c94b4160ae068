// SPDX-License-Identifier: MIT
// The text form of a colour, shared by chat messages and the settings file.
//
// A colour value is laid out 0x00BBGGRR (red in the low byte). It is written as one of the 42 colour
// names when its value equals that name's value, otherwise as "$" and eight upper-case hex digits.
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <optional>

namespace quibo {

using ColorValue = quint32;

inline constexpr ColorValue colorRed = 0x0000FF;
inline constexpr ColorValue colorBlack = 0x000000;
inline constexpr ColorValue colorNavy = 0x800000;
inline constexpr ColorValue colorGreen = 0x008000;
// System lines in the chat: red 0x1B, green 0x62, blue 0x83.
inline constexpr ColorValue colorStatus = 0x83621B;
// System colours are 0x80000000 plus their index; they name a colour of the desktop's palette.
inline constexpr ColorValue systemColorBase = 0x80000000;
inline constexpr ColorValue colorNone = 0x1FFFFFFF;

QByteArray colorToText(ColorValue value);

// Reads a colour name (any letter case), a decimal integer, or "$" and hex digits.
std::optional<ColorValue> colorFromText(QByteArrayView text);

// Red, green and blue of a plain colour value.
inline int colorRedPart(ColorValue v) {
    return int(v & 0xFF);
}
inline int colorGreenPart(ColorValue v) {
    return int((v >> 8) & 0xFF);
}
inline int colorBluePart(ColorValue v) {
    return int((v >> 16) & 0xFF);
}
inline ColorValue colorFromRgb(int r, int g, int b) {
    return ColorValue(r & 0xFF) | (ColorValue(g & 0xFF) << 8) | (ColorValue(b & 0xFF) << 16);
}

} // namespace quibo
