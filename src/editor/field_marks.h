#pragma once
// The error mark of a validated field: 1 when its exit rule refused the value (the
// field is painted red), 0 when it accepted it (normal background). The validation
// before a save or write reads the marks.

#include <QColor>

class QPalette;
class QString;
class QWidget;

namespace q9tx {

inline constexpr const char* kErrorMarkProperty = "errorMark";

void setRefused(QWidget* field, bool refused);
bool isRefused(const QWidget* field);

// The red background of a refused field in that palette: its text reads on it, also
// while the field is disabled.
QColor MarkColour(const QPalette& palette);

// The message shown for the fields refused since the last message becomes their
// description for assistive technology.
void DescribeRefusals(QWidget* window, const QString& message);

}  // namespace q9tx
