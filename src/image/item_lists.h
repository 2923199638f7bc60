#pragma once
// The item lists of the editor's drop-down lists whose index the image stores. The
// position of an item is its stored value, so the order must never change.

#include <array>
#include <cstddef>
#include <string_view>

namespace q9tx {

// A fixed list of item texts, sized by its initialisers.
template <std::size_t... Lengths>
constexpr auto ItemList(const char (&... texts)[Lengths])
{
    return std::array<std::string_view, sizeof...(Lengths)>{std::string_view(texts, Lengths - 1)...};
}

inline constexpr auto kBaudrateItems = ItemList("512 bps", "1200 bps", "2400 bps");
inline constexpr auto kPolarityItems = ItemList("Normal", "Inverse");
inline constexpr auto kFilterStrengthItems = ItemList("FS1", "FS2", "FS3", "FS4", "Off");
inline constexpr auto kPreambleErrorItems = ItemList(
    "1 CNT", "2 CNT", "3 CNT", "4 CNT", "5 CNT", "6 CNT", "7 CNT", "8 CNT");
inline constexpr auto kPllChipItems = ItemList("None", "FS8170", "FS8108");
inline constexpr auto kChannelSpacingItems = ItemList("12.5 kHz", "10.0 kHz", "6.25 kHz", "5.00 kHz");
inline constexpr auto kFormatItems = ItemList("Numeric", "Alphanum", "Disabled", "Tone");
inline constexpr auto kStorageItems = ItemList("Private", "Public");
inline constexpr auto kMessageEncodingItems = ItemList(
    "English (US)", "German", "Swiss", "French", "Swedish", "Portuguese", "Spanish",
    "English (UK)", "Italian", "Denmark/Norway", "Russian");
inline constexpr auto kMenuLanguageItems = ItemList(
    "English", "Deutsch", "French", "Swedish", "Danish", "Norwegian", "Portuguese", "Spanish",
    "Italiano", "Finnish", "Dutch", "Russian");
inline constexpr auto kNumRemindersItems = ItemList(
    "Indefinitly", "Once", "Twice", "3 times", "4 times", "5 times", "6 times", "7 times",
    "8 times", "9 times", "10 times");
inline constexpr auto kHoldTimeItems = ItemList("4 sec", "8 sec", "16 sec", "32 sec");
inline constexpr auto kFixedAlertModeItems = ItemList(
    "Let user choose", "Beeps", "Vibrate", "Beeps+Vibrate");
inline constexpr auto kRepeatedRejectionTimeItems = ItemList(
    "Disabled", "3-4 min", "4-5 min", "5-6 min", "6-7 min", "7-8 min", "8-9 min");
inline constexpr auto kUnreadReminderItems = ItemList(
    "Disabled", "1 sec", "2 sec", "4 sec", "6 sec", "8 sec", "10 sec");
inline constexpr auto kContinuousModeItems = ItemList("Continuous", "Discontinuous");
inline constexpr auto kDateFormatItems = ItemList("DD/MM/YY", "MM/DD/YY");
inline constexpr auto kTimeFormatItems = ItemList("12-hour", "24-hour");
inline constexpr auto kRepeatedFilterItems = ItemList("CT independent", "CT dependent", "Disabled");
// The schedule's period is coded into the hour bytes rather than stored as an index.
inline constexpr auto kPeriodItems = ItemList("Disabled, all day", "Enabled, all day", "Enabled");

// The item positions that rules and conversions name, each beside its list.
inline constexpr unsigned kBaudrate2400 = 2;
static_assert(kBaudrateItems[kBaudrate2400] == "2400 bps");
inline constexpr int kAlphanumFormat = 1;
static_assert(kFormatItems[kAlphanumFormat] == "Alphanum");
inline constexpr int kPrivateStorage = 0;
inline constexpr int kPublicStorage = 1;
static_assert(kStorageItems[kPrivateStorage] == "Private" && kStorageItems[kPublicStorage] == "Public");
inline constexpr int kReminderDisabled = 0;
static_assert(kUnreadReminderItems[kReminderDisabled] == "Disabled");
inline constexpr int kUserChoosesAlert = 0;
static_assert(kFixedAlertModeItems[kUserChoosesAlert] == "Let user choose");
inline constexpr unsigned kFilterOff = 4;
static_assert(kFilterStrengthItems[kFilterOff] == "Off");
inline constexpr int kDisabledAllDay = 0;
inline constexpr int kEnabledAllDay = 1;
inline constexpr int kEnabledWithin = 2;
static_assert(kPeriodItems[kDisabledAllDay] == "Disabled, all day" && kPeriodItems[kEnabledAllDay] == "Enabled, all day" &&
              kPeriodItems[kEnabledWithin] == "Enabled");

}  // namespace q9tx
