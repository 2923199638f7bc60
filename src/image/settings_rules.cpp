#include "image/settings_rules.h"

#include "image/item_lists.h"
#include "image/rf_word.h"
#include "image/settings_validation.h"

#include <algorithm>

namespace q9tx {

namespace {

constexpr std::size_t kToneDigits = 4;
constexpr char32_t kFirstPrintable = 32;
constexpr std::string_view kSpaceFilled[] = {"banner", "serialNum", "canned", "folderName"};

}  // namespace

Thresholds OrderThresholds(std::uint16_t bs1, std::uint16_t bs3, ThresholdLeft left)
{
    const ValueRange range1 = *RangeOf("bs1");
    const ValueRange range3 = *RangeOf("bs3");
    Thresholds result{std::clamp<int>(bs1, range1.minimum, range1.maximum),
                      std::clamp<int>(bs3, range3.minimum, range3.maximum)};
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

void SettleMuteOption(PagerSettings& settings)
{
    if (!IsMuteOptionUsable(settings.number("fixedAlertMode"))) {
        settings.setChecked("muteOption", false);
    }
}

std::optional<std::string> MuteOptionRefusal(const PagerSettings& settings, bool checked)
{
    if (checked && !IsMuteOptionUsable(settings.number("fixedAlertMode"))) {
        return "Allow muting needs the fixed alert mode \"Let user choose\".";
    }
    return std::nullopt;
}

void SetThreshold(PagerSettings& settings, ThresholdLeft left, std::int64_t typed)
{
    // Both are read as the editor reads them: 16 bits.
    const bool bs1Left = left == ThresholdLeft::Bs1;
    const Thresholds ordered = OrderThresholds(static_cast<std::uint16_t>(bs1Left ? typed : settings.number("bs1")),
                                               static_cast<std::uint16_t>(bs1Left ? settings.number("bs3") : typed),
                                               left);
    settings.setNumber("bs1", ordered.bs1);
    settings.setNumber("bs3", ordered.bs3);
}

std::optional<CheckedFrequency> CheckFrequency(std::int64_t hertz, std::uint8_t chip)
{
    RfWord rfWord{};
    SetRfChipType(rfWord, chip);
    if (!IsReachableFrequency(hertz, chip) || !FrequencyToRfWord(static_cast<std::uint32_t>(hertz), rfWord)) {
        return std::nullopt;
    }
    const std::uint32_t given = RfWordToFrequency(rfWord);
    return CheckedFrequency{given, RfStepCode(rfWord)};
}

bool SetCheckedFrequency(PagerSettings& settings, std::int64_t hertz)
{
    const std::optional<CheckedFrequency> checked = CheckFrequency(hertz, CheckedChip(settings));
    if (!checked) {
        return false;
    }
    settings.setNumber("frequency", checked->hertz);
    settings.setNumber("channelSpacing", checked->stepCode);
    return true;
}

bool IsStorablePasscode(bool handProgramming, std::string_view passcode)
{
    return !handProgramming || IsLegalPasscode(passcode);
}

bool IsLegalPasscode(std::string_view passcode)
{
    return std::all_of(passcode.begin(), passcode.end(), [](char c) { return IsDigitKey(static_cast<unsigned char>(c)); });
}

std::string ZeroFilled(std::string_view text, std::size_t length)
{
    return std::string(length > text.size() ? length - text.size() : 0, '0') + std::string(text);
}

std::string SpaceFilled(std::string_view text, std::size_t length)
{
    return std::string(text) + std::string(length > text.size() ? length - text.size() : 0, ' ');
}

std::string ToneFilled(std::string_view text)
{
    return std::string(text) + std::string(kToneDigits > text.size() ? kToneDigits - text.size() : 0, '0');
}

bool IsSpaceFilled(std::string_view name)
{
    return std::any_of(std::begin(kSpaceFilled), std::end(kSpaceFilled),
                       [name](std::string_view family) { return name.starts_with(family); });
}

bool IsControlKey(char32_t key) { return key < kFirstPrintable; }

bool IsDigitKey(char32_t key) { return key >= U'0' && key <= U'9'; }

bool IsToneKey(char32_t key) { return IsDigitKey(key) || (key >= U'A' && key <= U'F') || (key >= U'a' && key <= U'f'); }

std::optional<ValueRange> RangeOf(std::string_view name)
{
    const SettingDefinition* setting = FindSetting(name);
    return setting ? setting->range : std::nullopt;
}

bool IsOutOfRange(std::string_view name, std::optional<std::int64_t> value)
{
    const std::optional<ValueRange> range = RangeOf(name);
    return range && (!value || *value < range->minimum || *value > range->maximum);
}

}  // namespace q9tx
