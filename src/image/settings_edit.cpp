#include "image/settings_edit.h"

#include "image/config_image.h"
#include "image/frequency_text.h"
#include "image/setting_table.h"
#include "image/setting_text.h"
#include "image/settings_rules.h"
#include "image/status_error.h"
#include "image/status_texts.h"
#include "image/text_conversion.h"

#include <algorithm>
#include <cctype>

namespace q9tx {

namespace {

// The decoder thresholds are clamped, never refused.
constexpr std::string_view kBs1 = "bs1";
constexpr std::string_view kBs3 = "bs3";

struct CheckWord {
    const char* text;
    bool checked;
};
constexpr CheckWord kCheckWords[] = {{"yes", true},  {"no", false},    {"on", true}, {"off", false},
                                     {"true", true}, {"false", false}, {"1", true},  {"0", false}};

SettingProblem Refusal(std::string_view name, int status)
{
    return {std::string(name), std::string(StatusTextOf(status))};
}
SettingProblem Refusal(std::string_view name, std::string message) { return {std::string(name), std::move(message)}; }

std::string Lower(std::string_view text)
{
    std::string lower(text);
    std::transform(lower.begin(), lower.end(), lower.begin(), [](unsigned char c) { return std::tolower(c); });
    return lower;
}

bool AllDigits(std::string_view text)
{
    return std::all_of(text.begin(), text.end(), [](char c) { return IsDigitKey(static_cast<unsigned char>(c)); });
}

std::int64_t DigitsValue(std::string_view text)
{
    std::int64_t value = 0;
    for (const char c : text) {
        value = value * 10 + (c - '0');
    }
    return value;
}

std::string TooLong(const SettingDefinition& setting)
{
    return setting.caption + " takes at most " + std::to_string(setting.maxLength) + " characters.";
}

std::optional<SettingProblem> ApplyCheck(PagerSettings& settings, const SettingDefinition& setting,
                                         std::string_view text)
{
    const std::string word = Lower(text);
    const auto found = std::find_if(std::begin(kCheckWords), std::end(kCheckWords),
                                    [&word](const CheckWord& w) { return word == w.text; });
    if (found == std::end(kCheckWords)) {
        return Refusal(setting.name, setting.caption + " is yes or no.");
    }
    if (setting.name.starts_with("folderEn")) {
        const int folder = std::stoi(setting.name.substr(std::string_view("folderEn").size()));
        std::optional<std::string> refusal = ChangeFolderTick(settings, folder, found->checked);
        return refusal ? std::optional<SettingProblem>(Refusal(setting.name, std::move(*refusal))) : std::nullopt;
    }
    if (setting.name == "muteOption") {
        if (std::optional<std::string> refusal = MuteOptionRefusal(settings, found->checked)) {
            return Refusal(setting.name, std::move(*refusal));
        }
    }
    settings.setChecked(setting.name, found->checked);
    return std::nullopt;
}

std::optional<SettingProblem> ApplyList(PagerSettings& settings, const SettingDefinition& setting,
                                        std::string_view text)
{
    if (setting.name == "channelSpacing") {
        return Refusal(setting.name, "Chan. spacing follows the frequency.");
    }
    std::optional<std::size_t> position;
    for (std::size_t i = 0; i < setting.items.size(); ++i) {
        if (Lower(setting.items[i]) == Lower(text)) {
            position = i;
        }
    }
    if (!position && !text.empty() && text.size() < 3 && AllDigits(text) &&
        static_cast<std::size_t>(DigitsValue(text)) < setting.items.size()) {
        position = static_cast<std::size_t>(DigitsValue(text));
    }
    if (!position) {
        std::string items;
        for (const std::string_view item : setting.items) {
            items += (items.empty() ? "\"" : ", \"") + std::string(item) + "\"";
        }
        return Refusal(setting.name, setting.caption + " is one of " + items + ".");
    }
    settings.setNumber(setting.name, static_cast<std::int64_t>(*position));
    if (setting.name == "fixedAlertMode") {
        SettleMuteOption(settings);
    }
    if (setting.name.starts_with("storage")) {
        SettleFolders(settings);
    }
    return std::nullopt;
}

std::optional<SettingProblem> ApplyNumber(PagerSettings& settings, const SettingDefinition& setting,
                                          std::string_view text)
{
    if (!AllDigits(text)) {
        return Refusal(setting.name, StatusEnterNumber);
    }
    if (text.size() > setting.maxLength) {
        return Refusal(setting.name, TooLong(setting));
    }
    if (setting.kind == SettingKind::Capcode) {
        PagerSettings changed = settings;
        changed.setNumber(setting.name, DigitsValue(text));  // empty fills to zeros
        const int slot = std::stoi(setting.name.substr(std::string_view("address").size()));
        if (std::optional<SettingProblem> problem = AddressProblem(changed, slot)) {
            return problem;
        }
        settings = std::move(changed);
        return std::nullopt;
    }
    if (setting.name == kBs1 || setting.name == kBs3) {
        if (text.empty()) {
            return Refusal(setting.name, StatusEnterNumber);
        }
        SetThreshold(settings, setting.name == kBs1 ? ThresholdLeft::Bs1 : ThresholdLeft::Bs3, DigitsValue(text));
        return std::nullopt;
    }
    if (IsOutOfRange(setting.name, text.empty() ? std::nullopt : std::optional<std::int64_t>(DigitsValue(text)))) {
        return Refusal(setting.name, StatusIllegalValue);
    }
    if (text.empty()) {
        return Refusal(setting.name, StatusEnterNumber);
    }
    settings.setNumber(setting.name, DigitsValue(text));
    return std::nullopt;
}

std::optional<SettingProblem> ApplyFrequency(PagerSettings& settings, const SettingDefinition& setting,
                                             std::string_view text)
{
    if (text.size() > setting.maxLength) {
        return Refusal(setting.name, TooLong(setting));
    }
    std::uint32_t hertz = 0;
    try {
        hertz = text.empty() ? 0 : FrequencyTextToHertz(text, '.');
    } catch (const ConversionError&) {
        return Refusal(setting.name, StatusIllegalFrequency);
    }
    if (!SetCheckedFrequency(settings, hertz)) {
        return Refusal(setting.name, StatusIllegalFrequency);
    }
    return std::nullopt;
}

std::optional<SettingProblem> ApplyTone(PagerSettings& settings, const SettingDefinition& setting,
                                        std::string_view text)
{
    const bool hex =
        std::all_of(text.begin(), text.end(), [](char c) { return IsToneKey(static_cast<unsigned char>(c)); });
    if (!hex || text.size() > setting.maxLength) {
        return Refusal(setting.name, StatusIllegalValue);
    }
    // "F" is F000, as leaving the field fills it.
    settings.setNumber(setting.name, TextToTone(ToneFilled(text)));
    return std::nullopt;
}

std::optional<SettingProblem> ApplyText(PagerSettings& settings, const SettingDefinition& setting,
                                        std::string_view text)
{
    std::optional<std::string> bytes = UnescapeText(text);
    if (!bytes) {
        return Refusal(setting.name, "\\xNN needs two hexadecimal digits; write \\\\ for a backslash.");
    }
    if (bytes->find('\0') != std::string::npos) {
        return Refusal(setting.name, "A text cannot hold the byte \\x00.");
    }
    if (bytes->size() > setting.maxLength) {
        return Refusal(setting.name, TooLong(setting));
    }
    if (setting.digitsOnly && !IsLegalPasscode(*bytes)) {
        return Refusal(setting.name, StatusEnterNumber);
    }
    settings.setText(setting.name, IsSpaceFilled(setting.name) ? SpaceFilled(*bytes, setting.maxLength) : *bytes);
    return std::nullopt;
}

std::optional<SettingProblem> ApplyTime(PagerSettings& settings, const SettingDefinition& setting,
                                        std::string_view text)
{
    // The field's mask holds the colon.
    if (text.size() != 5 || text[2] != ':' || !IsLegalTime(text)) {
        return Refusal(setting.name, StatusIllegalValue);
    }
    settings.setText(setting.name, std::string(text));
    return std::nullopt;
}

}  // namespace

std::optional<SettingProblem> ApplySetting(PagerSettings& settings, std::string_view name, std::string_view text)
{
    const SettingDefinition* setting = FindSetting(name);
    if (!setting) {
        return Refusal(name, "No such setting.");
    }
    switch (setting->kind) {
    case SettingKind::Check:
        return ApplyCheck(settings, *setting, text);
    case SettingKind::List:
        return ApplyList(settings, *setting, text);
    case SettingKind::Number:
    case SettingKind::Capcode:
        return ApplyNumber(settings, *setting, text);
    case SettingKind::Frequency:
        return ApplyFrequency(settings, *setting, text);
    case SettingKind::Tone:
        return ApplyTone(settings, *setting, text);
    case SettingKind::Text:
        return ApplyText(settings, *setting, text);
    case SettingKind::Time:
        return ApplyTime(settings, *setting, text);
    }
    return std::nullopt;
}

}  // namespace q9tx
