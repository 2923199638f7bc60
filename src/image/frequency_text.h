#pragma once
// The frequency field's text (megahertz with the locale's decimal separator) and the
// number of hertz it stands for, converted exactly in integers.

#include <cstdint>
#include <string>
#include <string_view>

namespace q9tx {

// Digits with at most one `separator`; surrounding spaces are ignored. Decimals beyond
// the sixth (fractions of a hertz) are dropped. A value of 4294.967296 MHz or more gives
// 0xFFFFFFFF, which no chip accepts, so it is reported as an illegal frequency rather
// than wrapping into a legal one. Anything else (empty, a sign, a letter, a second
// separator) throws ConversionError "'<text>' is not a valid floating point value".
std::uint32_t FrequencyTextToHertz(std::string_view text, char separator);

// The shortest decimal form: "457.6", "160", "152.0125".
std::string HertzToFrequencyText(std::uint32_t hertz, char separator);

}  // namespace q9tx
