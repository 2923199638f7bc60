#pragma once
// The editing rules that both the window and the command line apply to a changed
// setting, on plain values: the window reads them from its controls and shows the
// result, the command line applies them to a settings value.

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

namespace q9tx {

// The decoder thresholds after either is left: each held in its range, BS1 below BS3,
// and the one that was left gives way. Both are read as 16-bit values.
struct Thresholds {
    int bs1;
    int bs3;
    friend bool operator==(const Thresholds&, const Thresholds&) = default;
};
enum class ThresholdLeft { Bs1, Bs3 };
Thresholds OrderThresholds(std::uint16_t bs1, std::uint16_t bs3, ThresholdLeft left);

// "Allow muting" is usable only while the user chooses the alert; otherwise it is off.
bool IsMuteOptionUsable(std::int64_t fixedAlertMode);

// The public folders are usable while at least one address with a storage choice
// stores publicly; otherwise every folder is out of use.
bool AreFoldersUsable(std::span<const std::int64_t> storageChoices);

// The range of a field that refuses a value outside it, kept by its spin button; none
// for other settings.
struct ValueRange {
    int minimum;
    int maximum;
};
std::optional<ValueRange> RangeOf(std::string_view name);

}  // namespace q9tx
