// SPDX-License-Identifier: MIT
#include "colortext.h"

#include <array>

namespace quibo {
namespace {

struct NamedColor {
    const char* name;
    ColorValue value;
};

// Writing takes the first name whose value matches, so the order matters.
constexpr std::array<NamedColor, 42> namedColors{{
    {"clBlack", 0x000000},
    {"clMaroon", 0x000080},
    {"clGreen", 0x008000},
    {"clOlive", 0x008080},
    {"clNavy", 0x800000},
    {"clPurple", 0x800080},
    {"clTeal", 0x808000},
    {"clGray", 0x808080},
    {"clSilver", 0xC0C0C0},
    {"clRed", 0x0000FF},
    {"clLime", 0x00FF00},
    {"clYellow", 0x00FFFF},
    {"clBlue", 0xFF0000},
    {"clFuchsia", 0xFF00FF},
    {"clAqua", 0xFFFF00},
    {"clWhite", 0xFFFFFF},
    {"clScrollBar", systemColorBase + 0},
    {"clBackground", systemColorBase + 1},
    {"clActiveCaption", systemColorBase + 2},
    {"clInactiveCaption", systemColorBase + 3},
    {"clMenu", systemColorBase + 4},
    {"clWindow", systemColorBase + 5},
    {"clWindowFrame", systemColorBase + 6},
    {"clMenuText", systemColorBase + 7},
    {"clWindowText", systemColorBase + 8},
    {"clCaptionText", systemColorBase + 9},
    {"clActiveBorder", systemColorBase + 10},
    {"clInactiveBorder", systemColorBase + 11},
    {"clAppWorkSpace", systemColorBase + 12},
    {"clHighlight", systemColorBase + 13},
    {"clHighlightText", systemColorBase + 14},
    {"clBtnFace", systemColorBase + 15},
    {"clBtnShadow", systemColorBase + 16},
    {"clGrayText", systemColorBase + 17},
    {"clBtnText", systemColorBase + 18},
    {"clInactiveCaptionText", systemColorBase + 19},
    {"clBtnHighlight", systemColorBase + 20},
    {"cl3DDkShadow", systemColorBase + 21},
    {"cl3DLight", systemColorBase + 22},
    {"clInfoText", systemColorBase + 23},
    {"clInfoBk", systemColorBase + 24},
    {"clNone", colorNone},
}};

bool equalsIgnoringCase(QByteArrayView a, const char* b) {
    const QByteArrayView bv(b);
    return a.size() == bv.size() && a.compare(bv, Qt::CaseInsensitive) == 0;
}

std::optional<ColorValue> parseInteger(QByteArrayView text) {
    bool ok = false;
    if (text.startsWith('$')) {
        const QByteArrayView digits = text.sliced(1);
        if (digits.isEmpty() || digits.size() > 8) return std::nullopt;
        const uint value = digits.toUInt(&ok, 16);
        return ok ? std::optional<ColorValue>(value) : std::nullopt;
    }
    // Decimal values are signed 32-bit; negative ones keep their bit pattern.
    const qlonglong value = text.toLongLong(&ok, 10);
    if (!ok || value < -2147483648LL || value > 4294967295LL) return std::nullopt;
    return ColorValue(quint32(value));
}

} // namespace

QByteArray colorToText(ColorValue value) {
    for (const NamedColor& c : namedColors) {
        if (c.value == value) return QByteArray(c.name);
    }
    return '$' + QByteArray::number(value, 16).toUpper().rightJustified(8, '0');
}

std::optional<ColorValue> colorFromText(QByteArrayView text) {
    const QByteArrayView trimmed = text.trimmed();
    if (trimmed.isEmpty()) return std::nullopt;
    for (const NamedColor& c : namedColors) {
        if (equalsIgnoringCase(trimmed, c.name)) return c.value;
    }
    return parseInteger(trimmed);
}

} // namespace quibo
