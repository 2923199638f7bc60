#include "image/text_conversion.h"

#include "image/status_error.h"

namespace q9tx {

namespace {

constexpr char kHexDigits[] = "0123456789ABCDEF";
constexpr std::size_t kToneDigits = 4;

[[noreturn]] void ThrowNotInteger(std::string_view text)
{
    throw ConversionError("'" + std::string(text) + "' is not a valid integer value");
}

std::uint8_t TwoDigits(std::string_view text, std::size_t first)
{
    if (text.size() < first + 2) {
        ThrowNotInteger(text);
    }
    unsigned value = 0;
    for (std::size_t i = first; i < first + 2; ++i) {
        const char c = text[i];
        const bool blank = c == ' ' || c == '_';
        if (!blank && (c < '0' || c > '9')) {
            ThrowNotInteger(text);
        }
        value = value * 10 + (blank ? 0u : static_cast<unsigned>(c - '0'));
    }
    return static_cast<std::uint8_t>(value);
}

}  // namespace

int HexDigitValue(char c)
{
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    return -1;
}

std::string ToneToText(std::uint16_t value)
{
    std::string text(kToneDigits, '0');
    for (std::size_t i = 0; i < kToneDigits; ++i) {
        text[kToneDigits - 1 - i] = kHexDigits[(value >> (4 * i)) & 0x0F];
    }
    return text;
}

std::uint16_t TextToTone(std::string_view text)
{
    if (text.size() > kToneDigits) {
        ThrowNotInteger(text);
    }
    std::uint16_t value = 0;
    for (const char c : text) {
        const int digit = HexDigitValue(c);
        if (digit < 0) {
            ThrowNotInteger(text);
        }
        value = static_cast<std::uint16_t>(value * 16 + digit);
    }
    return value;
}

std::uint8_t TimeTextHour(std::string_view text) { return TwoDigits(text, 0); }

std::uint8_t TimeTextMinute(std::string_view text) { return TwoDigits(text, 3); }

}  // namespace q9tx
