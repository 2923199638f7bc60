#include "image/pager_settings.h"

#include "image/config_image.h"
#include "image/item_lists.h"
#include "image/rf_word.h"
#include "image/setting_table.h"

#include <cstdio>

namespace q9tx {

namespace {

constexpr std::int64_t kFirstCapcode = 2004000;
constexpr std::int64_t kCapcodeStep = 8;
constexpr std::int64_t kDefaultHertz = 457'600'000;

struct ToneDefault {
    const char* name;
    std::int64_t pattern;
};
constexpr ToneDefault kToneDefaults[] = {
    {"toneA", 0xFFFC},      {"toneB", 0xCFFC},      {"toneC", 0xCCC0},     {"toneD", 0xCCCC},
    {"tonePowerOn", 0xA000}, {"toneUrgent", 0xD1B1}, {"toneWarning", 0x8000},
};

struct NumberDefault {
    const char* name;
    std::int64_t value;
};
// Values that start-up sets, other than zero; the folders start unticked because no
// address stores publicly.
constexpr NumberDefault kNumberDefaults[] = {
    {"useSchedule", 1},      {"messageHoldTime", 3}, {"messageEncoding", 7}, {"messageOps", 1},
    {"displayHoldTime", 10}, {"lcdBaseContrast", 15}, {"rangeHoldTime", 30}, {"alertDuration", 2},
    {"baudrate", 1},         {"pllChip", PllChipFs8108},   {"frequency", kDefaultHertz},
    {"setup", 1},            {"schedule", 1},        {"textSize", 1},        {"powerOff", 1},
    {"bs1", 30},             {"bs3", 31},            {"filterStrength", 1},  {"preambleError", 1},
};

}  // namespace

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

PagerSettings BuildDefaults()
{
    PagerSettings settings;
    for (int n = 1; n <= kSlotCount; ++n) {
        settings.setChecked(Member("addrEn", n), true);
        settings.setNumber(Member("address", n), kFirstCapcode + kCapcodeStep * (n - 1));
        for (const char* letter : {"A", "B", "C", "D"}) {
            settings.setNumber(Member("format", n, letter), kAlphanumFormat);
        }
    }
    for (int day = 1; day <= kDayCount; ++day) {
        settings.setNumber(Member("period", day), kEnabledWithin);
        settings.setText(Member("start", day), "09:00");
        settings.setText(Member("finish", day), "18:00");
    }
    for (int k = 1; k <= kFolderCount; ++k) {
        char name[10];
        std::snprintf(name, sizeof name, "Folder %02d", k);
        settings.setText(Member("folderName", k), name);
        settings.setNumber(Member("folderSize", k), 1);
    }
    settings.setText("serialNum", "00000000");
    settings.setText("banner", "---- Zerin Q9TX ----");
    settings.setText("passcode", "6947");
    for (const ToneDefault& tone : kToneDefaults) {
        settings.setNumber(tone.name, tone.pattern);
    }
    for (const NumberDefault& value : kNumberDefaults) {
        settings.setNumber(value.name, value.value);
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
