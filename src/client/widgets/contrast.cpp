// SPDX-License-Identifier: MIT
#include "contrast.h"

#include <cmath>

namespace quibo {

namespace {

double linear(double channel) {
    return channel <= 0.04045 ? channel / 12.92 : std::pow((channel + 0.055) / 1.055, 2.4);
}

QColor mix(const QColor& from, const QColor& to, double t) {
    const auto at = [t](double a, double b) { return a + (b - a) * t; };
    return QColor::fromRgbF(float(at(from.redF(), to.redF())), float(at(from.greenF(), to.greenF())),
                            float(at(from.blueF(), to.blueF())));
}

} // namespace

double relativeLuminance(const QColor& colour) {
    const QColor c = colour.toRgb();
    return 0.2126 * linear(c.redF()) + 0.7152 * linear(c.greenF()) + 0.0722 * linear(c.blueF());
}

double contrastRatio(const QColor& a, const QColor& b) {
    const double la = relativeLuminance(a);
    const double lb = relativeLuminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

QColor readableOn(const QColor& colour, const QColor& background, double minimum) {
    const QColor rgb = colour.toRgb();
    if (contrastRatio(rgb, background) >= minimum) return rgb;
    // Further away on the side the colour already lies on (darker or lighter than the background);
    // the other way when that side cannot reach the minimum at all.
    QColor target =
        relativeLuminance(rgb) < relativeLuminance(background) ? QColor(Qt::black) : QColor(Qt::white);
    if (contrastRatio(target, background) < minimum)
        target = target == QColor(Qt::black) ? QColor(Qt::white) : QColor(Qt::black);
    // The ratio crosses the minimum once along the way, so halving the interval finds the nearest
    // colour that reaches it.
    double low = 0.0;
    double high = 1.0;
    for (int step = 0; step < 20; ++step) {
        const double mid = (low + high) / 2;
        if (contrastRatio(mix(rgb, target, mid), background) >= minimum)
            high = mid;
        else
            low = mid;
    }
    return mix(rgb, target, high);
}

bool isDarkPalette(const QColor& window, const QColor& text) {
    return relativeLuminance(window) < relativeLuminance(text);
}

} // namespace quibo
