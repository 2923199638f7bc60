#pragma once
// What the editor refuses to save or write, judged on a settings value: illegal and
// duplicate capcodes, a frequency the PLL chip cannot be set to, a passcode the pager's
// keys cannot enter, the schedule check, schedule times that cannot be stored, and
// folders that do not fit the pager's slots.
// Each refusal names the setting and gives the programmer's own message.

#include "image/capcode_rules.h"
#include "image/pager_settings.h"
#include "image/schedule_check.h"

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

// The chip the frequency is checked for: the PLL chip's position, "None" for a position
// beyond the list.
std::uint8_t CheckedChip(const PagerSettings& settings);
// Whether the settings' frequency can be set on `chip`.
bool IsReachableFrequency(std::int64_t hertz, std::uint8_t chip);

// The refusals of an address field when it is left with `capcode`: illegal, or held by
// another address. Empty when accepted.
std::optional<SettingProblem> AddressProblem(const PagerSettings& settings, int slot);

// The schedule check, SettleScheduleDay on each day: a day no longer "Enabled" loses its
// night shift and gets the default for a time that fails the time rule, a day whose start
// equals its finish becomes "Disabled, all day", and each finish that is not a legal time
// or, on an "Enabled" day, ends before its start is refused with "Illegal value.".
std::vector<SettingProblem> CheckSchedule(PagerSettings& settings);

// Folder sizes whose slot ranges the image cannot hold: the first such folder's size.
std::optional<SettingProblem> FolderProblem(const PagerSettings& settings);

// Everything the editor would refuse before a save or a write, in the editor's order,
// each setting named once. Settles the schedule like the editor's check does.
std::vector<SettingProblem> ValidateSettings(PagerSettings& settings);
std::vector<SettingProblem> ValidateSettings(const PagerSettings& settings);

}  // namespace q9tx
