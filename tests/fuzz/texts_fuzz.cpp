// The texts and numbers the editor converts: the frequency in megahertz, the tone
// patterns, the times of day, capcodes and the RF word, each checked against plain
// integer arithmetic. Input: a flag byte (bit 0: a comma as the decimal separator), then
// bytes that are read both as a text and as numbers.

#include <algorithm>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>

#include "editor/frequency_field_text.h"
#include "fuzz_check.h"
#include "image/capcode.h"
#include "image/frequency_text.h"
#include "image/rf_word.h"
#include "image/status_error.h"
#include "image/text_conversion.h"

namespace {

constexpr std::uint64_t kMegahertz = 1'000'000;
constexpr std::uint64_t kAllOnes = 0xFFFFFFFF;

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// What a conversion gives: a number, or the text of its conversion error.
template <typename Number>
struct Outcome {
    std::optional<Number> value;
    std::string error;
    bool operator==(const Outcome&) const = default;
};

template <typename Number, typename Convert>
Outcome<Number> Run(Convert&& convert)
{
    try {
        return {convert(), {}};
    } catch (const q9tx::ConversionError& error) {
        return {std::nullopt, error.what()};
    }
}

// As what() gives it: up to the first zero byte.
std::string Quoted(std::string_view text, const char* kind)
{
    return std::string(("'" + std::string(text) + "' is not a valid " + kind + " value").c_str());
}

// Megahertz with at most one separator, spaces around it: the exact number of hertz,
// fractions of a hertz dropped, 0xFFFFFFFF for anything that large or larger.
Outcome<std::uint32_t> FrequencyFromText(std::string_view text, char separator)
{
    const Outcome<std::uint32_t> unreadable{std::nullopt, Quoted(text, "floating point")};
    const std::size_t first = text.find_first_not_of(' ');
    if (first == std::string_view::npos)
        return unreadable;
    const std::string_view number = text.substr(first, text.find_last_not_of(' ') - first + 1);
    const std::size_t separatorAt = number.find(separator);
    std::string whole(number.substr(0, separatorAt));
    const std::string fraction(separatorAt == std::string_view::npos ? "" : number.substr(separatorAt + 1));
    const auto allDigits = [](const std::string& digits) { return std::all_of(digits.begin(), digits.end(), IsDigit); };
    if (!allDigits(whole) || !allDigits(fraction))
        return unreadable;
    if (whole.empty() && fraction.empty())
        return unreadable;
    whole.erase(0, whole.find_first_not_of('0'));
    if (whole.size() > 4)  // 10,000 MHz and more do not fit in 32 bits
        return {std::uint32_t(kAllOnes), {}};
    std::uint64_t hertz = whole.empty() ? 0 : std::stoull(whole) * kMegahertz;
    const std::string micro = (fraction + "000000").substr(0, 6);
    hertz += std::stoull(micro);
    return {std::uint32_t(std::min(hertz, kAllOnes)), {}};
}

std::string ExpectedFrequencyText(std::uint32_t hertz, char separator)
{
    std::string text = std::to_string(hertz / kMegahertz);
    std::string fraction = std::to_string(hertz % kMegahertz + kMegahertz).substr(1);
    fraction.erase(fraction.find_last_not_of('0') + 1);
    return fraction.empty() ? text : text + separator + fraction;
}

int HexDigit(char c)
{
    const char* digits = "0123456789ABCDEF";
    const char upper = (c >= 'a' && c <= 'f') ? char(c - 'a' + 'A') : c;
    const char* found = c == '\0' ? nullptr : std::strchr(digits, upper);
    return found ? int(found - digits) : -1;
}

Outcome<std::uint16_t> ToneFromText(std::string_view text)
{
    if (text.size() > 4)
        return {std::nullopt, Quoted(text, "integer")};
    unsigned value = 0;
    for (const char c : text) {
        if (HexDigit(c) < 0)
            return {std::nullopt, Quoted(text, "integer")};
        value = value * 16 + unsigned(HexDigit(c));
    }
    return {std::uint16_t(value), {}};
}

// Two digits at `at`; a blank or "_" counts as 0.
Outcome<std::uint8_t> TimePart(std::string_view text, std::size_t at)
{
    if (text.size() < at + 2)
        return {std::nullopt, Quoted(text, "integer")};
    unsigned value = 0;
    for (const char c : text.substr(at, 2)) {
        if (c != ' ' && c != '_' && !IsDigit(c))
            return {std::nullopt, Quoted(text, "integer")};
        value = value * 10 + (IsDigit(c) ? unsigned(c - '0') : 0u);
    }
    return {std::uint8_t(value), {}};
}

// The receive frequencies a chip can be set to: inside its bands, and 21.4 MHz below a
// whole multiple of the band's multiplier times 2.5 kHz or 3.125 kHz (the finer steps
// divide every coarser one).
bool ChipAccepts(std::uint32_t hertz, std::uint8_t chip)
{
    const auto between = [hertz](std::uint32_t low, std::uint32_t high) { return hertz >= low && hertz < high; };
    std::uint32_t multiplier = 0;
    if (chip == q9tx::PllChipFs8108) {
        multiplier = between(121'400'000, 300'000'000) ? 1 : between(421'400'000, 521'400'000) ? 2 : 0;
    } else {
        multiplier = between(100'000'000, 300'000'000)    ? 1
                     : between(400'000'000, 600'000'000)  ? 2
                     : between(900'000'000, 1000'000'000) ? 4
                                                          : 0;
    }
    const std::uint32_t synthesizer = hertz - 21'400'000;
    return multiplier != 0 && (synthesizer % (multiplier * 2500) == 0 || synthesizer % (multiplier * 3125) == 0);
}

void CheckFrequencyTexts(std::string_view text, char separator, std::uint32_t hertz)
{
    const auto read = Run<std::uint32_t>([&] { return q9tx::FrequencyTextToHertz(text, separator); });
    const auto expected = FrequencyFromText(text, separator);
    FUZZ_CHECK(read == expected, "'%.*s' read as %s%u, expected %s%u", int(text.size()), text.data(),
               read.error.c_str(), read.value.value_or(0), expected.error.c_str(), expected.value.value_or(0));

    const std::string shown = q9tx::HertzToFrequencyText(hertz, separator);
    FUZZ_CHECK(shown == ExpectedFrequencyText(hertz, separator), "%u Hz shown as '%s'", hertz, shown.c_str());
    FUZZ_CHECK(q9tx::FrequencyTextToHertz(shown, separator) == hertz, "'%s' does not read back as %u", shown.c_str(),
               hertz);

    // The frequency field's form, filled to nine characters, must still mean the same.
    const QChar fieldSeparator = QLatin1Char(separator);
    const QString field = q9tx::HertzToFrequencyField(hertz, fieldSeparator);
    if (shown.size() <= q9tx::kFrequencyFieldLength) {
        FUZZ_CHECK(field.size() == q9tx::kFrequencyFieldLength &&
                       q9tx::FrequencyFieldToHertz(field, fieldSeparator) == hertz,
                   "%u Hz fills the field as '%s'", hertz, field.toStdString().c_str());
    }
}

void CheckRfWord(std::uint32_t hertz, std::uint8_t chip, std::uint8_t oldStep)
{
    q9tx::RfWord word{std::uint8_t(chip << 6 | (oldStep & 0x0F)), 0, 0, 0};
    const bool accepted = q9tx::FrequencyToRfWord(hertz, word);
    FUZZ_CHECK(accepted == ChipAccepts(hertz, chip), "%u Hz %s by chip %d", hertz,
               accepted ? "accepted" : "refused", chip);
    if (!accepted)
        return;
    FUZZ_CHECK(q9tx::RfChipType(word) == chip, "chip %d became %d", chip, q9tx::RfChipType(word));
    const std::uint32_t back = q9tx::RfWordToFrequency(word);
    FUZZ_CHECK(back == hertz && q9tx::RfWordIsSet(word), "%u Hz on chip %d reads back as %u", hertz, chip, back);
    // The step shown is the coarsest that divides the synthesizer frequency.
    const std::uint8_t step = q9tx::RfStepCode(word);
    const std::uint32_t unit = q9tx::kBandMultipliers[q9tx::RfBandCode(word)];
    const std::uint32_t synthesizer = hertz - q9tx::kIntermediateFrequency;
    FUZZ_CHECK(step < 6 && synthesizer % (unit * q9tx::kChannelSteps[step]) == 0, "%u Hz got step code %d", hertz, step);
    for (std::uint8_t coarser = 0; coarser < step; ++coarser)
        FUZZ_CHECK(synthesizer % (unit * q9tx::kChannelSteps[coarser]) != 0, "%u Hz: step %d was coarser", hertz, coarser);
}

void CheckCapcode(std::uint32_t capcode, bool enabled, int slot, std::uint32_t anyWord)
{
    const q9tx::AddressWord word = q9tx::CapcodeToAddressWord(capcode, enabled, slot);
    const q9tx::StoredAddress back = q9tx::AddressWordToCapcode(word);
    FUZZ_CHECK(back.capcode == (capcode & q9tx::kMaxCapcode) && back.enabled == enabled,
               "capcode %u (%d) in slot %d reads back as %u (%d)", capcode, enabled, slot, back.capcode, back.enabled);
    // Bits 0 to 10 besides the enable bit: the slot number reversed in bits 8 to 10, and 6.
    const std::uint32_t reversedSlot = ((slot - 1) & 1) << 2 | ((slot - 1) & 2) | ((slot - 1) & 4) >> 2;
    FUZZ_CHECK((word & 0x77F) == (reversedSlot << 8 | 6), "slot %d tagged %03X", slot, word & 0x77F);
    // Any word read from an image is written back with the same capcode and enable bits.
    const q9tx::StoredAddress read = q9tx::AddressWordToCapcode(anyWord);
    const q9tx::AddressWord again = q9tx::CapcodeToAddressWord(read.capcode, read.enabled, slot);
    FUZZ_CHECK((again & 0xFFFFF880) == (anyWord & 0xFFFFF880), "word %08X written back as %08X", anyWord, again);
}

std::uint32_t Le32(const std::uint8_t* bytes)
{
    return bytes[0] | bytes[1] << 8 | bytes[2] << 16 | std::uint32_t(bytes[3]) << 24;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 1)
        return 0;
    const char separator = (data[0] & 1) ? ',' : '.';
    const std::string_view text(reinterpret_cast<const char*>(data + 1), size - 1);
    std::uint8_t number[12] = {};
    std::memcpy(number, data + 1, std::min<std::size_t>(size - 1, sizeof number));

    const std::uint32_t hertz = Le32(number);
    CheckFrequencyTexts(text, separator, hertz);
    for (std::uint8_t chip = 0; chip < 3; ++chip)
        CheckRfWord(hertz, chip, number[4]);

    const auto tone = Run<std::uint16_t>([&] { return q9tx::TextToTone(text); });
    FUZZ_CHECK(tone == ToneFromText(text), "tone '%.*s' read as %s%u", int(text.size()), text.data(),
               tone.error.c_str(), tone.value.value_or(0));
    const auto pattern = std::uint16_t(number[0] | number[1] << 8);
    const std::string toneText = q9tx::ToneToText(pattern);
    FUZZ_CHECK(toneText.size() == 4 && ToneFromText(toneText).value == pattern &&
                   toneText.find_first_not_of("0123456789ABCDEF") == std::string::npos,
               "tone %04X shown as '%s'", pattern, toneText.c_str());

    const auto hour = Run<std::uint8_t>([&] { return q9tx::TimeTextHour(text); });
    const auto minute = Run<std::uint8_t>([&] { return q9tx::TimeTextMinute(text); });
    FUZZ_CHECK(hour == TimePart(text, 0) && minute == TimePart(text, 3), "time '%.*s' read as %s%d:%s%d",
               int(text.size()), text.data(), hour.error.c_str(), hour.value.value_or(0), minute.error.c_str(),
               minute.value.value_or(0));

    CheckCapcode(Le32(number) & 0x3FFFFF, number[3] & 0x80, 1 + number[5] % 8, Le32(number + 6));
    return 0;
}
