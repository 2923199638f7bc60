#pragma once
// The error mark of a validated field: 1 when its exit rule refused the value (the
// field is painted red), 0 when it accepted it (normal background). The validation
// before a save or write reads the marks.

class QWidget;

namespace q9tx {

inline constexpr const char* kErrorMarkProperty = "errorMark";

void setRefused(QWidget* field, bool refused);
bool isRefused(const QWidget* field);

}  // namespace q9tx
