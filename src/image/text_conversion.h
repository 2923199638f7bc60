#pragma once
// The editor's tone-pattern and time-of-day texts and the numbers stored for them.

#include <cstdint>
#include <string>
#include <string_view>

namespace q9tx {

// The value of one hexadecimal digit of either case; -1 for any other character.
int HexDigitValue(char c);

// Four upper-case hexadecimal digits, most significant first: 0xD1B1 -> "D1B1".
std::string ToneToText(std::uint16_t value);

// Up to four hexadecimal digits, most significant first ("F" is 0x000F); empty gives 0.
// Lower-case letters are read like upper-case ones. Any other character, or more than
// four characters, throws ConversionError "'<text>' is not a valid integer value":
// guessing would store a tone the user never typed.
std::uint16_t TextToTone(std::string_view text);

// The hour (characters 1 and 2) and minute (characters 4 and 5) of an "hh:mm" text, as
// 10 * first digit + second digit kept to 8 bits. A blank position (space or the mask's
// "_") reads as 0, so " 9:00" gives 9. A text too short for the position, or another
// character there, throws ConversionError "'<text>' is not a valid integer value".
std::uint8_t TimeTextHour(std::string_view text);
std::uint8_t TimeTextMinute(std::string_view text);

}  // namespace q9tx
