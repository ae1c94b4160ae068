// SPDX-License-Identifier: MIT
// Contrast of text against its background, as the web's accessibility guidelines (WCAG 2) measure
// it: the ratio of the relative luminances plus 0.05, from 1 (none) to 21 (black on white). Text
// wants at least 4.5. readableOn moves a colour that falls short, such as a chat colour a peer chose
// or a game colour on a dark desktop, just far enough in lightness that it reads; a colour that
// already reads is kept as it is.
#pragma once

#include <QColor>

namespace quibo {

inline constexpr double minimumTextContrast = 4.5;

double relativeLuminance(const QColor& colour);
double contrastRatio(const QColor& a, const QColor& b);
// colour itself when it reaches `minimum` on background; otherwise the nearest colour of the same hue
// towards white or black (whichever side can reach it) that does.
QColor readableOn(const QColor& colour, const QColor& background, double minimum = minimumTextContrast);
// A dark palette: its window colour is darker than its text.
bool isDarkPalette(const QColor& window, const QColor& text);

} // namespace quibo
