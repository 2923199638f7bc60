#pragma once
// What the editor refuses to save or write, judged on a settings value: illegal and
// duplicate capcodes, a frequency the PLL chip cannot be set to, the schedule check,
// schedule times that cannot be stored, and folders that do not fit the pager's slots.
// Each refusal names the setting and gives the programmer's own message.

#include "image/pager_settings.h"

#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace q9tx {

struct SettingProblem {
    std::string name;     // the setting, a control name
    std::string message;  // "Illegal capcode." and the like
    friend bool operator==(const SettingProblem&, const SettingProblem&) = default;
};

// Thrown where settings cannot be turned into an image.
class SettingsRefused : public std::runtime_error {
public:
    explicit SettingsRefused(SettingProblem problem)
        : std::runtime_error(problem.name + ": " + problem.message), problem_(std::move(problem)) {}
    const SettingProblem& problem() const { return problem_; }

private:
    SettingProblem problem_;
};

// The capcodes the pager accepts; the gaps between the ranges are reserved addresses.
bool IsLegalCapcode(std::int64_t capcode);

// The clock value hh * 100 + nn of an "hh:nn" text, or none when a position holds no digit.
std::optional<int> ClockValue(std::string_view time);
// Five characters, hour below 24 and minute below 60.
bool IsLegalTime(std::string_view time);

// The chip the frequency is checked for: the PLL chip's position, "None" for a position
// beyond the list.
std::uint8_t CheckedChip(const PagerSettings& settings);
// Whether the settings' frequency can be set on `chip`.
bool IsReachableFrequency(std::int64_t hertz, std::uint8_t chip);

// The refusals of an address field when it is left with `capcode`: illegal, or held by
// another address. Empty when accepted.
std::optional<SettingProblem> AddressProblem(const PagerSettings& settings, int slot);

// One day of the schedule check, after a day that is not "Enabled" has lost its night
// shift: whether equal start and finish turn it into "Disabled, all day", and whether its
// finish is refused (not a legal time, or, on a day still "Enabled", before its start).
struct ScheduleDayCheck {
    bool disablesDay;
    bool refusesFinish;
};
ScheduleDayCheck CheckScheduleDay(std::string_view start, std::string_view finish, bool nightShift,
                                  std::int64_t period);

// The schedule check: a day no longer "Enabled" loses its night shift, a day whose start
// equals its finish becomes "Disabled, all day", and each finish that is not a legal
// time or, on an "Enabled" day, ends before its start is refused with "Illegal value.".
std::vector<SettingProblem> CheckSchedule(PagerSettings& settings);

// Folder sizes whose slot ranges the image cannot hold: the first such folder's size.
std::optional<SettingProblem> FolderProblem(const PagerSettings& settings);

// Everything the editor would refuse before a save or a write, in the editor's order,
// each setting named once. Settles the schedule like the editor's check does.
std::vector<SettingProblem> ValidateSettings(PagerSettings& settings);
std::vector<SettingProblem> ValidateSettings(const PagerSettings& settings);

}  // namespace q9tx
