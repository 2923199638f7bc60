#pragma once
// Names for assistive technology: every control of the window by the setting it holds,
// so that a screen reader tells the eight capcode fields or the 32 format lists apart,
// and the status text announced as it changes.

#include <QString>

class QWidget;

namespace q9tx {

// The name given to the control of that object name ("address1": "Address 1 capcode");
// empty for one left to its own text (labels, buttons with a caption).
QString AccessibleNameOf(const QString& objectName);

// Gives every control under the window its name; run once the window is built.
void NameControls(QWidget* window);

// The status text changed: fields refused since the last message take it as their
// description, and assistive technology is told.
void AnnounceStatus(QWidget* window, QWidget* statusLabel, const QString& text);

}  // namespace q9tx
