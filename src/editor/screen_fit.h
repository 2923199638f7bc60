#pragma once
// The window on its screen: as large as its content, never larger than the screen's free
// area (the content scrolls instead), and inside that area, whatever the font and scale.

#include <QRect>

class QWidget;

namespace q9tx {

// Where a window frame goes in a screen's free area: no larger than the area, and moved
// only as far as it must be to lie inside it.
QRect FitInside(const QRect& frame, const QRect& available);

// Sizes the window to its content within the free area of its screen and moves it
// inside; centred on the screen under the mouse when `centre`.
void FitToScreen(QWidget* window, bool centre);

// Fits the window again when it is first shown (its frame known) and whenever `growing`, a
// part shown only at times, shows or hides.
void KeepOnScreen(QWidget* window, QWidget* growing);

}  // namespace q9tx
