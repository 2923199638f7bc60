#pragma once
// Reading numbers that the user typed or pasted into the editor's fields.

#include <functional>
#include <string>
#include <string_view>

#include <QString>

#include "image/status_error.h"

namespace q9tx {

// The decimal integer of a text made of an optional sign followed by digits only.
// Empty text, any other character (also spaces) or a value outside the range of int
// throws ConversionError "'<text>' is not a valid integer value": a number guessed
// from such text would be one the user never entered.
int TextToInt(const QString& text);

// A rule of the core that works on one-byte text (a fill), run on a field's text. The
// fields hold Latin-1, a byte a character; a character beyond it (only a paste brings one)
// goes as UTF-8 and comes back unchanged.
QString WithOneByteRule(const QString& text, const std::function<std::string(std::string_view)>& rule);

}  // namespace q9tx
