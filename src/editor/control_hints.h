#pragma once
// Hints of the controls. A hint may have a short and a long part separated by '|'.
// The long part becomes the status tip, which the status bar shows while the mouse
// rests on the control; the short part becomes a tool-tip where one is wanted.

#include <QString>

class QAction;
class QWidget;

namespace q9tx {

// The part after the first '|', or the whole hint when it has no '|'.
QString LongHint(const QString& hint);
// The part before the first '|', or the whole hint when it has no '|'.
QString ShortHint(const QString& hint);

enum class ToolTip { Off, On };

void ApplyHint(QWidget* control, const QString& hint, ToolTip toolTip = ToolTip::Off);
void ApplyHint(QAction* action, const QString& hint);

}  // namespace q9tx
