#pragma once
// The editing rules that both the window and the command line apply to a changed
// setting, on plain values: the window reads them from its controls and shows the
// result, the command line applies them to a settings value. The rules of the
// addresses, the folders and the schedule have headers of their own, included here.

#include "image/capcode_rules.h"
#include "image/folder_chain.h"
#include "image/pager_settings.h"
#include "image/schedule_check.h"
#include "image/setting_table.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
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
// Unticks muteOption when fixedAlertMode does not let the user choose.
void SettleMuteOption(PagerSettings& settings);
// Why muteOption cannot be ticked now, or none.
std::optional<std::string> MuteOptionRefusal(const PagerSettings& settings, bool checked);

// The threshold that was left takes `typed`, and both are ordered as OrderThresholds
// orders them.
void SetThreshold(PagerSettings& settings, ThresholdLeft left, std::int64_t typed);

// The frequency check on `chip` (a PLL chip position): the frequency the synthesizer
// really gives for `hertz` and the step code that gives it, the position of the channel
// spacing (codes without an item show none). None when the chip cannot be set to it.
struct CheckedFrequency {
    std::uint32_t hertz;
    int stepCode;
    friend bool operator==(const CheckedFrequency&, const CheckedFrequency&) = default;
};
std::optional<CheckedFrequency> CheckFrequency(std::int64_t hertz, std::uint8_t chip);
// The frequency check on settings, on their PLL chip: the frequency given and the channel
// spacing that follows it, or false with nothing changed.
bool SetCheckedFrequency(PagerSettings& settings, std::int64_t hertz);

// A passcode the pager's keys can enter: digits only, also where a paste got past the key
// filter. Shorter than four digits is kept as it is.
bool IsLegalPasscode(std::string_view passcode);
// Whether the image can take the passcode: with hand programming on it must be a legal
// one; without, the image holds the factory passcode and the field's text goes nowhere.
bool IsStorablePasscode(bool handProgramming, std::string_view passcode);

// The exit fills, up to the field's length; a text already that long is kept. A capcode
// gets leading zeros, a fixed-width text trailing spaces, a beep pattern trailing zeros.
std::string ZeroFilled(std::string_view text, std::size_t length);
std::string SpaceFilled(std::string_view text, std::size_t length);
std::string ToneFilled(std::string_view text);
// Whether a text setting is filled with spaces when its field is left: the banner, the
// serial number, the canned texts and the folder titles.
bool IsSpaceFilled(std::string_view name);

// The key filters' classes of a typed character. A control character (an editing key or
// a clipboard shortcut) passes every filter.
bool IsControlKey(char32_t key);
bool IsDigitKey(char32_t key);
bool IsToneKey(char32_t key);  // "0" to "9", "A" to "F", "a" to "f"

// The values a numeric field takes, from SettingTable(); none for other settings. A field
// with a spin button refuses a value outside; BS1 and BS3 are held inside.
std::optional<ValueRange> RangeOf(std::string_view name);
// Whether a field with a spin button refuses `value` (none: the field is empty).
bool IsOutOfRange(std::string_view name, std::optional<std::int64_t> value);

}  // namespace q9tx
