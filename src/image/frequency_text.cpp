#include "image/frequency_text.h"

#include "image/status_error.h"

#include <limits>

namespace q9tx {

namespace {

constexpr std::uint64_t kHertzPerMegahertz = 1'000'000;
constexpr int kHertzDecimals = 6;
constexpr std::uint64_t kSaturated = std::numeric_limits<std::uint32_t>::max();

[[noreturn]] void ThrowUnreadable(std::string_view text)
{
    throw ConversionError("'" + std::string(text) + "' is not a valid floating point value");
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

std::string_view TrimSpaces(std::string_view text)
{
    while (!text.empty() && text.front() == ' ') {
        text.remove_prefix(1);
    }
    while (!text.empty() && text.back() == ' ') {
        text.remove_suffix(1);
    }
    return text;
}

}  // namespace

std::uint32_t FrequencyTextToHertz(std::string_view text, char separator)
{
    const std::string_view number = TrimSpaces(text);
    std::uint64_t megahertz = 0;
    std::uint64_t fraction = 0;  // in hertz
    std::uint64_t fractionScale = kHertzPerMegahertz;
    bool seenSeparator = false;
    bool seenDigit = false;

    for (const char c : number) {
        if (c == separator && !seenSeparator) {
            seenSeparator = true;
            continue;
        }
        if (!IsDigit(c)) {
            ThrowUnreadable(text);
        }
        seenDigit = true;
        const unsigned digit = static_cast<unsigned>(c - '0');
        if (!seenSeparator) {
            // Held just above the saturation point so long digit strings cannot wrap.
            megahertz = std::min(megahertz * 10 + digit, kSaturated / kHertzPerMegahertz + 1);
        } else if (fractionScale > 1) {
            fractionScale /= 10;
            fraction += digit * fractionScale;
        }
    }
    if (!seenDigit) {
        ThrowUnreadable(text);
    }
    return static_cast<std::uint32_t>(std::min(megahertz * kHertzPerMegahertz + fraction, kSaturated));
}

std::string HertzToFrequencyText(std::uint32_t hertz, char separator)
{
    std::string text = std::to_string(hertz / kHertzPerMegahertz);
    std::uint64_t fraction = hertz % kHertzPerMegahertz;
    if (fraction == 0) {
        return text;
    }
    std::string decimals(kHertzDecimals, '0');
    for (int i = kHertzDecimals - 1; i >= 0; --i) {
        decimals[static_cast<std::size_t>(i)] = static_cast<char>('0' + fraction % 10);
        fraction /= 10;
    }
    decimals.erase(decimals.find_last_not_of('0') + 1);
    return text + separator + decimals;
}

}  // namespace q9tx
