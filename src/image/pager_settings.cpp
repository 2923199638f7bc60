#include "image/pager_settings.h"

#include "image/frequency_text.h"
#include "image/setting_table.h"
#include "image/text_conversion.h"

#include <algorithm>
#include <string>

namespace q9tx {

std::string Member(std::string_view family, int number, std::string_view suffix)
{
    return std::string(family) + std::to_string(number) + std::string(suffix);
}

PagerSettings::PagerSettings() : values_(SettingTable().size()) {}

const SettingValue& PagerSettings::value(std::string_view name) const { return values_.at(SettingIndex(name)); }

std::int64_t PagerSettings::number(std::string_view name) const { return value(name).number; }

const std::string& PagerSettings::text(std::string_view name) const { return value(name).text; }

void PagerSettings::setNumber(std::string_view name, std::int64_t number)
{
    values_.at(SettingIndex(name)).number = number;
}

void PagerSettings::setText(std::string_view name, std::string text)
{
    values_.at(SettingIndex(name)).text = std::move(text);
}

namespace {

// The value a setting starts with, from the window's words for it in the setting table.
SettingValue StartValue(const SettingDefinition& setting)
{
    const std::string& text = setting.defaultText;
    switch (setting.kind) {
    case SettingKind::Check:
        return {text == "yes" ? 1 : 0, {}};
    case SettingKind::List:
        return {std::find(setting.items.begin(), setting.items.end(), text) - setting.items.begin(), {}};
    case SettingKind::Number:
    case SettingKind::Capcode:
        return {std::stoll(text), {}};
    case SettingKind::Frequency:
        return {FrequencyTextToHertz(text, '.'), {}};
    case SettingKind::Tone:
        return {TextToTone(text), {}};
    case SettingKind::Text:
    case SettingKind::Time:
        break;
    }
    return {0, text};
}

PagerSettings BuildDefaults()
{
    PagerSettings settings;
    for (const SettingDefinition& setting : SettingTable()) {
        const SettingValue start = StartValue(setting);
        settings.setNumber(setting.name, start.number);
        settings.setText(setting.name, start.text);
    }
    return settings;
}

}  // namespace

PagerSettings DefaultSettings()
{
    static const PagerSettings defaults = BuildDefaults();
    return defaults;
}

}  // namespace q9tx
