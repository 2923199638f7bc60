#include "image/settings_validation.h"

#include "image/config_image.h"
#include "image/folder_slots.h"
#include "image/item_lists.h"
#include "image/rf_word.h"
#include "image/status_texts.h"

#include <algorithm>
#include <array>

namespace q9tx {

namespace {

struct CapcodeRange {
    std::int64_t first;
    std::int64_t last;
};
constexpr CapcodeRange kLegalCapcodes[] = {{8, 2007663}, {2007672, 2045055}, {2045064, 2097143}};

constexpr int kNightShiftFinish = 2400;
constexpr std::size_t kTimeLength = 5;
constexpr std::size_t kDigitPositions[] = {0, 1, 3, 4};

SettingProblem Problem(std::string name, int status) { return {std::move(name), std::string(StatusTextOf(status))}; }

void AddOnce(std::vector<SettingProblem>& problems, SettingProblem problem)
{
    const bool named = std::any_of(problems.begin(), problems.end(),
                                   [&problem](const SettingProblem& p) { return p.name == problem.name; });
    if (!named) {
        problems.push_back(std::move(problem));
    }
}

}  // namespace

bool IsLegalCapcode(std::int64_t capcode)
{
    return std::any_of(std::begin(kLegalCapcodes), std::end(kLegalCapcodes), [capcode](const CapcodeRange& range) {
        return capcode >= range.first && capcode <= range.last;
    });
}

std::optional<int> ClockValue(std::string_view time)
{
    if (time.size() != kTimeLength) {
        return std::nullopt;
    }
    int value = 0;
    for (const std::size_t position : kDigitPositions) {
        const char digit = time[position];
        if (digit < '0' || digit > '9') {
            return std::nullopt;
        }
        value = value * 10 + (digit - '0');
    }
    return value;
}

bool IsLegalTime(std::string_view time)
{
    const std::optional<int> clock = ClockValue(time);
    return clock && *clock / 100 < 24 && *clock % 100 < 60;
}

std::uint8_t CheckedChip(const PagerSettings& settings)
{
    const std::int64_t chip = settings.number("pllChip");
    return chip >= 0 && static_cast<std::size_t>(chip) < kPllChipItems.size() ? static_cast<std::uint8_t>(chip)
                                                                               : static_cast<std::uint8_t>(PllChipNone);
}

bool IsReachableFrequency(std::int64_t hertz, std::uint8_t chip)
{
    if (hertz <= 0 || hertz > UINT32_MAX) {
        return false;
    }
    RfWord scratch{};
    SetRfChipType(scratch, chip);
    return FrequencyToRfWord(static_cast<std::uint32_t>(hertz), scratch);
}

std::optional<SettingProblem> AddressProblem(const PagerSettings& settings, int slot)
{
    const std::string name = Member("address", slot);
    const std::int64_t capcode = settings.number(name);
    if (!IsLegalCapcode(capcode)) {
        return Problem(name, StatusIllegalCapcode);
    }
    for (int other = 1; other <= kSlotCount; ++other) {
        // Every address counts, in use or not.
        if (other != slot && settings.number(Member("address", other)) == capcode) {
            return Problem(name, StatusCapcodeUsed);
        }
    }
    return std::nullopt;
}

ScheduleDayCheck CheckScheduleDay(std::string_view start, std::string_view finish, bool nightShift,
                                  std::int64_t period)
{
    const std::optional<int> begins = ClockValue(start);
    const std::optional<int> ends = nightShift ? std::optional<int>(kNightShiftFinish) : ClockValue(finish);
    const bool disablesDay = begins && ends && *begins == *ends;
    // A start that holds no time cannot be before any finish.
    const bool endsTooEarly = !disablesDay && period == kEnabledWithin && (!begins || !ends || *ends < *begins);
    return {disablesDay, !IsLegalTime(finish) || endsTooEarly};
}

std::vector<SettingProblem> CheckSchedule(PagerSettings& settings)
{
    std::vector<SettingProblem> problems;
    for (int day = 1; day <= kDayCount; ++day) {
        const std::string period = Member("period", day);
        const std::string finish = Member("finish", day);
        const std::string nightShift = Member("nightShift", day);
        if (settings.number(period) != kEnabledWithin) {
            settings.setChecked(nightShift, false);
        }
        const ScheduleDayCheck checked = CheckScheduleDay(settings.text(Member("start", day)), settings.text(finish),
                                                          settings.checked(nightShift), settings.number(period));
        if (checked.disablesDay) {
            settings.setNumber(period, kDisabledAllDay);
        }
        if (checked.refusesFinish) {
            problems.push_back(Problem(finish, StatusIllegalValue));
        }
    }
    return problems;
}

std::optional<SettingProblem> FolderProblem(const PagerSettings& settings)
{
    std::array<FolderUse, kFolderCount> folders{};
    for (int k = 1; k <= kFolderCount; ++k) {
        folders[k - 1] = {settings.checked(Member("folderEn", k)), settings.number(Member("folderSize", k))};
    }
    const std::optional<FolderSlotsProblem> problem = CheckFolderSlots(folders);
    if (!problem) {
        return std::nullopt;
    }
    return SettingProblem{Member("folderSize", problem->folder), problem->message};
}

std::vector<SettingProblem> ValidateSettings(PagerSettings& settings)
{
    std::vector<SettingProblem> problems;
    for (int slot = 1; slot <= kSlotCount; ++slot) {
        if (std::optional<SettingProblem> problem = AddressProblem(settings, slot)) {
            problems.push_back(std::move(*problem));
        }
    }
    if (!IsReachableFrequency(settings.number("frequency"), CheckedChip(settings))) {
        problems.push_back(Problem("frequency", StatusIllegalFrequency));
    }
    if (settings.checked("useSchedule")) {
        for (SettingProblem& problem : CheckSchedule(settings)) {
            AddOnce(problems, std::move(problem));
        }
    }
    // An "Enabled" day's times go into the image as numbers, used or not.
    for (int day = 1; day <= kDayCount; ++day) {
        if (settings.number(Member("period", day)) != kEnabledWithin) {
            continue;
        }
        for (const std::string& time : {Member("start", day), Member("finish", day)}) {
            if (!ClockValue(settings.text(time))) {
                AddOnce(problems, Problem(time, StatusIllegalValue));
            }
        }
    }
    if (std::optional<SettingProblem> problem = FolderProblem(settings)) {
        problems.push_back(std::move(*problem));
    }
    return problems;
}

std::vector<SettingProblem> ValidateSettings(const PagerSettings& settings)
{
    PagerSettings copy = settings;
    return ValidateSettings(copy);
}

}  // namespace q9tx
