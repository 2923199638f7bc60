#include "editor/readable_red.h"

#include <algorithm>
#include <cmath>

namespace q9tx {

namespace {

double Linear(double channel)
{
    return channel <= 0.04045 ? channel / 12.92 : std::pow((channel + 0.055) / 1.055, 2.4);
}

constexpr int kFull = 255;

}  // namespace

double RelativeLuminance(const QColor& colour)
{
    const QColor rgb = colour.toRgb();
    return 0.2126 * Linear(rgb.redF()) + 0.7152 * Linear(rgb.greenF()) + 0.0722 * Linear(rgb.blueF());
}

double ContrastRatio(const QColor& a, const QColor& b)
{
    const double first = RelativeLuminance(a);
    const double second = RelativeLuminance(b);
    return (std::max(first, second) + 0.05) / (std::min(first, second) + 0.05);
}

QColor ReadableRed(const QColor& other)
{
    // Step by step away from pure red, darker and lighter at once: the first that reads
    // is the nearest.
    QColor best(kFull, 0, 0);
    for (int step = 0; step <= kFull; ++step) {
        for (const QColor& candidate : {QColor(kFull - step, 0, 0), QColor(kFull, step, step)}) {
            if (ContrastRatio(candidate, other) >= kLegibleContrast)
                return candidate;
            if (ContrastRatio(candidate, other) > ContrastRatio(best, other))
                best = candidate;
        }
    }
    return best;
}

}  // namespace q9tx
