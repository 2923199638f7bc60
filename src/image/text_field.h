#pragma once
// Fixed-width text fields of the image: the bytes of the text, a zero byte when the text
// is shorter than the field, and zeros up to the field's end.

#include "image/config_image.h"

#include <cstddef>
#include <string>
#include <string_view>

namespace q9tx {

// Writes `text` (8-bit characters, stored as they are) into the `width` bytes at `offset`;
// characters beyond the width are cut off. Throws std::out_of_range when the field
// does not lie inside the image.
void WriteTextField(ConfigImage& image, std::size_t offset, std::size_t width, std::string_view text);

// The field's bytes up to the first zero byte or the field's end.
std::string ReadTextField(const ConfigImage& image, std::size_t offset, std::size_t width);

}  // namespace q9tx
