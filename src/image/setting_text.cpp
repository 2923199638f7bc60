#include "image/setting_text.h"

#include "image/frequency_text.h"
#include "image/settings_rules.h"
#include "image/text_conversion.h"

#include <cstdio>

namespace q9tx {

namespace {

constexpr std::size_t kFrequencyFieldLength = 9;
constexpr std::size_t kFrequencySeparatorPosition = 3;
constexpr char kSeparator = '.';

std::string QuotedText(const std::string& bytes)
{
    std::string quoted = "\"";
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte >= 0x7F || c == '"' || c == '\\') {
            char escape[5];
            std::snprintf(escape, sizeof escape, "\\x%02X", byte);
            quoted += escape;
        } else {
            quoted += c;
        }
    }
    return quoted + "\"";
}

}  // namespace

std::string FrequencyFieldText(std::uint32_t hertz)
{
    std::string text = HertzToFrequencyText(hertz, kSeparator);
    for (std::size_t position = text.size(); position < kFrequencyFieldLength; ++position) {
        text += position == kFrequencySeparatorPosition ? kSeparator : '0';
    }
    return text;
}

std::string FormatValue(const SettingDefinition& setting, const SettingValue& value)
{
    switch (setting.kind) {
    case SettingKind::Check:
        return value.number != 0 ? "yes" : "no";
    case SettingKind::List:
        if (value.number >= 0 && static_cast<std::size_t>(value.number) < setting.items.size()) {
            return std::string(setting.items[static_cast<std::size_t>(value.number)]);
        }
        return "(value " + std::to_string(value.number) + ")";
    case SettingKind::Capcode:
        return ZeroFilled(std::to_string(value.number), setting.maxLength);
    case SettingKind::Frequency:
        return value.number > 0 ? FrequencyFieldText(static_cast<std::uint32_t>(value.number)) : "(none)";
    case SettingKind::Tone:
        return ToneToText(static_cast<std::uint16_t>(value.number));
    case SettingKind::Text:
        return QuotedText(value.text);
    case SettingKind::Time:
        return value.text;
    case SettingKind::Number:
        break;
    }
    return std::to_string(value.number);
}

std::optional<std::string> UnescapeText(std::string_view text)
{
    std::string bytes;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\\') {
            bytes += text[i];
            continue;
        }
        if (i + 1 < text.size() && text[i + 1] == '\\') {
            bytes += '\\';
            ++i;
            continue;
        }
        if (i + 3 >= text.size() || text[i + 1] != 'x' || HexDigitValue(text[i + 2]) < 0
            || HexDigitValue(text[i + 3]) < 0) {
            return std::nullopt;
        }
        bytes += static_cast<char>(HexDigitValue(text[i + 2]) * 16 + HexDigitValue(text[i + 3]));
        i += 3;
    }
    return bytes;
}

}  // namespace q9tx
