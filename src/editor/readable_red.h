#pragma once
// Red that reads: text and marks in red keep a contrast of at least 4.5:1 (what legible
// text needs) against the colour they meet, on light and dark desktop themes alike.

#include <QColor>

namespace q9tx {

inline constexpr double kLegibleContrast = 4.5;

// The relative luminance of a colour in sRGB, 0 for black to 1 for white.
double RelativeLuminance(const QColor& colour);
// (lighter + 0.05) / (darker + 0.05): 1 for equal colours, 21 for black on white.
double ContrastRatio(const QColor& a, const QColor& b);
// The red nearest to pure red, darker or lighter, that has kLegibleContrast against
// `other`; where no red has, the one with the most.
QColor ReadableRed(const QColor& other);

}  // namespace q9tx
