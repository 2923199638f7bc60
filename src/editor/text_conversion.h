#pragma once
// Reading numbers that the user typed or pasted into the editor's fields.

#include <QString>

#include "image/status_error.h"

namespace q9tx {

// The decimal integer of a text made of an optional sign followed by digits only.
// Empty text, any other character (also spaces) or a value outside the range of int
// throws ConversionError "'<text>' is not a valid integer value": a number guessed
// from such text would be one the user never entered.
int TextToInt(const QString& text);

}  // namespace q9tx
