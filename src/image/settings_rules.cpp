#include "image/settings_rules.h"

#include "image/item_lists.h"

#include <algorithm>

namespace q9tx {

namespace {

constexpr ValueRange kBs1{2, 61};
constexpr ValueRange kBs3{3, 62};

struct RangeField {
    std::string_view name;
    ValueRange range;
};
constexpr RangeField kRangeFields[] = {
    {"displayHoldTime", {0, 255}}, {"lcdBaseContrast", {8, 63}}, {"rangeHoldTime", {0, 255}}};

}  // namespace

Thresholds OrderThresholds(std::uint16_t bs1, std::uint16_t bs3, ThresholdLeft left)
{
    Thresholds result{std::clamp<int>(bs1, kBs1.minimum, kBs1.maximum), std::clamp<int>(bs3, kBs3.minimum, kBs3.maximum)};
    if (result.bs1 >= result.bs3) {
        if (left == ThresholdLeft::Bs1) {
            result.bs1 = result.bs3 - 1;
        } else {
            result.bs3 = result.bs1 + 1;
        }
    }
    return result;
}

bool IsMuteOptionUsable(std::int64_t fixedAlertMode) { return fixedAlertMode == kUserChoosesAlert; }

bool AreFoldersUsable(std::span<const std::int64_t> storageChoices)
{
    return std::any_of(storageChoices.begin(), storageChoices.end(),
                       [](std::int64_t choice) { return choice == kPublicStorage; });
}

std::optional<ValueRange> RangeOf(std::string_view name)
{
    const auto* found = std::find_if(std::begin(kRangeFields), std::end(kRangeFields),
                                     [name](const RangeField& field) { return field.name == name; });
    return found == std::end(kRangeFields) ? std::nullopt : std::optional<ValueRange>(found->range);
}

}  // namespace q9tx
