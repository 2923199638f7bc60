#include "image/settings_validation.h"

#include "image/config_image.h"
#include "image/folder_slots.h"
#include "image/item_lists.h"
#include "image/rf_word.h"
#include "image/settings_rules.h"
#include "image/status_texts.h"

#include <algorithm>
#include <array>

namespace q9tx {

namespace {

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
    if (const std::optional<int> refusal = CapcodeRefusal(CapcodesOf(settings), slot)) {
        return Problem(Member("address", slot), *refusal);
    }
    return std::nullopt;
}

std::vector<SettingProblem> CheckSchedule(PagerSettings& settings)
{
    std::vector<SettingProblem> problems;
    for (int day = 1; day <= kDayCount; ++day) {
        const ScheduleDay settled = SettleScheduleDay(ScheduleDayOf(settings, day));
        SetScheduleDay(settings, day, settled);
        if (settled.finishRefused) {
            problems.push_back(Problem(Member("finish", day), StatusIllegalValue));
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
    // The pager's keys enter digits only; a pasted letter would lock its user out.
    if (!IsStorablePasscode(settings.checked("handProg"), settings.text("passcode"))) {
        problems.push_back(Problem("passcode", StatusEnterNumber));
    }
    if (settings.checked("useSchedule")) {
        for (SettingProblem& problem : CheckSchedule(settings)) {
            AddOnce(problems, std::move(problem));
        }
    }
    for (int day = 1; day <= kDayCount; ++day) {
        const StorableTimes storable = TimesStorable(ScheduleDayOf(settings, day));
        if (!storable.start) {
            AddOnce(problems, Problem(Member("start", day), StatusIllegalValue));
        }
        if (!storable.finish) {
            AddOnce(problems, Problem(Member("finish", day), StatusIllegalValue));
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
