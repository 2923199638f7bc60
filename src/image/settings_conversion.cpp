#include "image/settings_conversion.h"

#include "image/bit_reverse.h"
#include "image/capcode.h"
#include "image/image_layout.h"
#include "image/image_validation.h"
#include "image/item_lists.h"
#include "image/rf_word.h"
#include "image/settings_rules.h"
#include "image/settings_validation.h"
#include "image/status_texts.h"
#include "image/text_field.h"

#include <algorithm>
#include <initializer_list>

namespace q9tx {

namespace {

// Within a day record: start hour with the night-shift bit, start minute, finish hour,
// finish minute. An hour above 23 codes a period without times.
constexpr std::size_t kStartHour = 0;
constexpr std::size_t kStartMinute = 1;
constexpr std::size_t kFinishHour = 2;
constexpr std::size_t kFinishMinute = 3;
constexpr std::uint8_t kNightShiftBit = 0x80;
constexpr std::uint8_t kHourMask = 0x7F;
constexpr std::uint8_t kLastHour = 23;
constexpr std::uint8_t kNoTimeHour = 24;

constexpr std::uint8_t kFolderUnused = 0xFF;
constexpr char kFactoryPasscode[] = "6947";
constexpr std::size_t kSerialNumberLength = 8;

std::size_t TextWidth(const ImageField& field) { return field.bits / 8u; }

bool HoldsSettingValue(const ImageField& field)
{
    switch (field.kind) {
    case FieldKind::ListIndex:
    case FieldKind::CheckBit:
    case FieldKind::Number:
    case FieldKind::Word16:
    case FieldKind::Text:
        return !field.control.empty();
    default:
        return false;
    }
}

bool CarriesUrgentTargets(const PagerSettings& settings, int slot)
{
    return settings.checked(Member("addrEn", slot)) &&
           (slot > kSlotsWithStorage || settings.number(Member("storage", slot)) == kPrivateStorage);
}

// ---- Settings to image. ----

// Whether the setting's value goes into its field, or nothing when the field has a step
// of its own.
std::optional<bool> WritesValue(const PagerSettings& settings, FieldRule rule, bool escalatingAlertsShown)
{
    switch (rule) {
    case FieldRule::Plain:
    case FieldRule::LowBattAlertDelay:  // checked is 01b
    case FieldRule::SerialNumber:
        return true;
    case FieldRule::NumReminders:
        return settings.number("unreadReminder") != kReminderDisabled;
    case FieldRule::MenuBit:
        return settings.checked("setup");
    case FieldRule::EscalatingAlerts:
        return escalatingAlertsShown;
    case FieldRule::Passcode:
        return settings.checked("handProg");
    case FieldRule::CannedText:
        return settings.checked("cannedMessages");
    default:
        return std::nullopt;
    }
}

void StoreValue(const PagerSettings& settings, const ImageField& field, ConfigImage& image)
{
    const SettingValue& value = settings.value(field.control);
    if (field.kind == FieldKind::Text) {
        WriteTextField(image, field.offset, TextWidth(field), value.text);
    } else if (field.kind == FieldKind::CheckBit) {
        WriteField(image, field, value.number != 0 ? 1 : 0);
    } else {
        WriteField(image, field, static_cast<std::uint32_t>(value.number));
    }
}

void EncodeValues(const PagerSettings& settings, ConfigImage& image, bool escalatingAlertsShown)
{
    for (const ImageField& field : ImageLayout()) {
        if (field.kind == FieldKind::Fixed) {
            WriteField(image, field, field.fixedValue);
            continue;
        }
        if (!HoldsSettingValue(field)) {
            continue;
        }
        const std::optional<bool> writes = WritesValue(settings, field.rule, escalatingAlertsShown);
        if (writes && *writes) {
            StoreValue(settings, field, image);
        } else if (writes && field.rule == FieldRule::Passcode) {
            WriteTextField(image, field.offset, TextWidth(field), kFactoryPasscode);
        }
    }
}

std::uint32_t Unsigned(const PagerSettings& settings, std::string_view name)
{
    return static_cast<std::uint32_t>(settings.number(name));
}

void EncodeAddresses(const PagerSettings& settings, ConfigImage& image)
{
    for (int slot = 1; slot <= kSlotCount; ++slot) {
        WriteLe32(image, AddressWordOffset(slot),
                  CapcodeToAddressWord(Unsigned(settings, Member("address", slot)),
                                       settings.checked(Member("addrEn", slot)), slot));
    }
}

void EncodeDecoderOptions(const PagerSettings& settings, ConfigImage& image)
{
    // 2400 bps is bit 3, with bit 4 left at 1; the slower rates are bit 4 alone.
    const std::uint32_t baudrate = Unsigned(settings, "baudrate");
    WriteField(image, FieldOf("baudrate"), baudrate == kBaudrate2400 ? 0b11u : baudrate << 1);
    for (const char* threshold : {"bs1", "bs3"}) {
        const ImageField& field = FieldOf(threshold);
        WriteField(image, field, ReverseBits(Unsigned(settings, threshold), field.bits));
    }
    const std::uint32_t filter = Unsigned(settings, "filterStrength");
    WriteField(image, FieldOf("filterStrength"), filter < kFilterOff ? 1u | (ReverseBits(filter, 2) << 1) : 0u);
    const ImageField& preamble = FieldOf("preambleError");
    WriteField(image, preamble, ReverseBits(Unsigned(settings, "preambleError"), preamble.bits));
}

void EncodeRfWord(const PagerSettings& settings, ConfigImage& image, bool forPager)
{
    // A file always names the FS8170; a pager gets the chip the frequency was checked for.
    const std::uint8_t chip = forPager ? CheckedChip(settings) : static_cast<std::uint8_t>(PllChipFs8170);
    const std::int64_t hertz = settings.number("frequency");
    RfWord rfWord{};
    SetRfChipType(rfWord, chip);
    // A word the chip cannot use would tune the pager to a wrong frequency.
    if (!IsReachableFrequency(hertz, chip) || !FrequencyToRfWord(static_cast<std::uint32_t>(hertz), rfWord)) {
        throw SettingsRefused({"frequency", std::string(StatusTextOf(StatusIllegalFrequency))});
    }
    PutRfWord(image, rfWord);
}

void EncodeUrgentTargets(const PagerSettings& settings, ConfigImage& image)
{
    for (int slot = 1; slot <= kSlotCount; ++slot) {
        if (!CarriesUrgentTargets(settings, slot)) {
            continue;
        }
        unsigned nibble = 0;
        for (int function = 0; function < kSubAddressCount; ++function) {
            if (settings.checked(Member("urgent", slot, std::string(1, static_cast<char>('A' + function))))) {
                nibble |= 1u << function;
            }
        }
        image[UrgentByteOffset(slot)] |= static_cast<std::uint8_t>(nibble << UrgentNibbleShift(slot));
    }
}

void EncodeFolderRanges(const PagerSettings& settings, ConfigImage& image)
{
    // Enabled folders take consecutive slot numbers from 0; the counter is 16 bits wide
    // and each stored slot number its low 8 bits.
    std::uint16_t last = 0;
    for (int k = 1; k <= kFolderCount; ++k) {
        const std::size_t offset = FolderRangeOffset(k);
        if (!settings.checked(Member("folderEn", k))) {
            image[offset] = kFolderUnused;
            image[offset + 1] = 0;
            continue;
        }
        const auto size = static_cast<std::uint16_t>(settings.number(Member("folderSize", k)));
        const auto first = static_cast<std::uint16_t>(k == 1 ? 0 : last + 1);
        last = static_cast<std::uint16_t>(first + size - 1);
        image[offset] = static_cast<std::uint8_t>(first);
        image[offset + 1] = static_cast<std::uint8_t>(last);
    }
}

int StoredClock(const PagerSettings& settings, const std::string& name)
{
    const std::optional<int> clock = ClockValue(settings.text(name));
    if (!clock) {
        throw SettingsRefused({name, std::string(StatusTextOf(StatusIllegalValue))});
    }
    return *clock;
}

void EncodeSchedule(const PagerSettings& settings, ConfigImage& image)
{
    for (int day = 1; day <= kDayCount; ++day) {
        std::uint8_t* record = &image[ScheduleDayOffset(day)];
        switch (settings.number(Member("period", day))) {
        case kEnabledAllDay:
            record[kFinishHour] = kNoTimeHour;
            break;
        case kEnabledWithin: {
            const int start = StoredClock(settings, Member("start", day));
            const int finish = StoredClock(settings, Member("finish", day));
            record[kStartHour] = static_cast<std::uint8_t>(start / 100);
            record[kStartMinute] = static_cast<std::uint8_t>(start % 100);
            record[kFinishHour] = static_cast<std::uint8_t>(finish / 100);
            record[kFinishMinute] = static_cast<std::uint8_t>(finish % 100);
            if (settings.checked(Member("nightShift", day))) {
                record[kStartHour] |= kNightShiftBit;
            }
            break;
        }
        default:
            record[kStartHour] = kNoTimeHour;
            break;
        }
    }
}

// ---- Image to settings. ----

void ReadValue(PagerSettings& settings, const ImageField& field, const ConfigImage& image)
{
    if (field.kind == FieldKind::Text) {
        settings.setText(field.control, ReadTextField(image, field.offset, TextWidth(field)));
    } else if (field.kind == FieldKind::CheckBit) {
        settings.setChecked(field.control, ReadField(image, field) != 0);
    } else {
        settings.setNumber(field.control, ReadField(image, field));
    }
}

void DecodeValues(PagerSettings& settings, const ConfigImage& image, std::initializer_list<FieldRule> rules)
{
    for (const ImageField& field : ImageLayout()) {
        if (HoldsSettingValue(field) && std::find(rules.begin(), rules.end(), field.rule) != rules.end()) {
            ReadValue(settings, field, image);
        }
    }
}

void DecodeAddresses(PagerSettings& settings, const ConfigImage& image)
{
    for (int slot = 1; slot <= kSlotCount; ++slot) {
        const StoredAddress stored = AddressWordToCapcode(ReadLe32(image, AddressWordOffset(slot)));
        settings.setChecked(Member("addrEn", slot), stored.enabled);
        settings.setNumber(Member("address", slot), stored.capcode);
    }
}

void DecodeRfWord(PagerSettings& settings, const ConfigImage& image)
{
    RfWord rfWord = RfWordOf(image);
    if (OriginWord(image) != 0) {
        settings.setNumber("pllChip", RfChipType(rfWord));
    }
    // A word that stands for no frequency leaves none: the frequency check refuses it.
    settings.setNumber("frequency", RfWordToShownFrequency(rfWord).value_or(0));
    settings.setNumber("channelSpacing", RfStepCode(rfWord));
}

void DecodeDecoderOptions(PagerSettings& settings, const ConfigImage& image)
{
    const std::uint32_t baudrate = ReadField(image, FieldOf("baudrate"));
    settings.setNumber("baudrate", (baudrate & 1u) ? kBaudrate2400 : (baudrate >> 1) & 1u);
    const std::uint32_t filter = ReadField(image, FieldOf("filterStrength"));
    settings.setNumber("filterStrength", (filter & 1u) ? ReverseBits(filter >> 1, 2) : kFilterOff);
    const ImageField& preamble = FieldOf("preambleError");
    settings.setNumber("preambleError", ReverseBits(ReadField(image, preamble), preamble.bits));
}

void DecodeUrgentTargets(PagerSettings& settings, const ConfigImage& image)
{
    for (int slot = 1; slot <= kSlotCount; ++slot) {
        if (!CarriesUrgentTargets(settings, slot)) {
            continue;
        }
        const unsigned nibble = image[UrgentByteOffset(slot)] >> UrgentNibbleShift(slot);
        for (int function = 0; function < kSubAddressCount; ++function) {
            settings.setChecked(Member("urgent", slot, std::string(1, static_cast<char>('A' + function))),
                                (nibble >> function) & 1u);
        }
    }
}

void DecodeFolders(PagerSettings& settings, const ConfigImage& image)
{
    for (int k = 1; k <= kFolderCount; ++k) {
        const std::size_t offset = FolderRangeOffset(k);
        const int first = image[offset];
        const int last = image[offset + 1];
        const bool inUse = first != kFolderUnused;
        settings.setChecked(Member("folderEn", k), inUse);
        settings.setNumber(Member("folderSize", k), inUse ? last - first + 1 : 1);
    }
}

std::string TwoDigits(int value)
{
    return std::string{static_cast<char>('0' + value / 10 % 10), static_cast<char>('0' + value % 10)};
}

// A minute of three digits cannot be shown: its positions stay blank, and the time is
// refused before it could be stored as another one.
std::string TimeText(int hour, int minute) { return TwoDigits(hour) + ":" + (minute < 100 ? TwoDigits(minute) : ""); }

void DecodeSchedule(PagerSettings& settings, const ConfigImage& image)
{
    for (int day = 1; day <= kDayCount; ++day) {
        const std::uint8_t* record = &image[ScheduleDayOffset(day)];
        const int startHour = record[kStartHour] & kHourMask;
        const int finishHour = record[kFinishHour];
        const std::string start = Member("start", day);
        const std::string finish = Member("finish", day);
        settings.setChecked(Member("nightShift", day), record[kStartHour] & kNightShiftBit);
        if (startHour > kLastHour || finishHour > kLastHour) {
            settings.setText(start, kDefaultStart);
            settings.setText(finish, kDefaultFinish);
        }
        if (startHour > kLastHour) {
            settings.setNumber(Member("period", day), kDisabledAllDay);
        } else if (finishHour > kLastHour) {
            settings.setNumber(Member("period", day), kEnabledAllDay);
        } else {
            settings.setNumber(Member("period", day), kEnabledWithin);
            settings.setText(start, TimeText(startHour, record[kStartMinute]));
            settings.setText(finish, TimeText(finishHour, record[kFinishMinute]));
        }
    }
}

bool AddressesAccepted(const PagerSettings& settings)
{
    for (int slot = 1; slot <= kSlotCount; ++slot) {
        if (AddressProblem(settings, slot)) {
            return false;
        }
    }
    return true;
}

// The values the editor's rules change when they run after a load. The settings check
// stops at a refused address before it reaches the schedule check, as it does before a
// save. The schedule check sees the loaded periods: judged by the rows shown before the
// load, it would drop the night shift of a day the image enables.
void RunValueRules(PagerSettings& settings)
{
    if (AddressesAccepted(settings) && settings.checked("useSchedule")) {
        CheckSchedule(settings);
    }
    settings.setText("serialNum", SpaceFilled(settings.text("serialNum"), kSerialNumberLength));
    SettleMuteOption(settings);
    if (const std::optional<CheckedFrequency> checked =
            CheckFrequency(settings.number("frequency"), CheckedChip(settings))) {
        settings.setNumber("channelSpacing", checked->stepCode);
    }
    // Without public storage the folders are out of use, down the whole chain.
    SetFolderTicks(settings, FolderChainAfterStorage(FolderTicksOf(settings), AreFoldersUsable(settings)).inUse);
}

}  // namespace

PagerSettings DecodeSettings(const ConfigImage& image, const PagerSettings& previous)
{
    PagerSettings settings = previous;
    DecodeAddresses(settings, image);
    DecodeRfWord(settings, image);
    DecodeDecoderOptions(settings, image);
    // Urgent targets and canned messages depend on settings read here.
    DecodeValues(settings, image,
                 {FieldRule::Plain, FieldRule::NumReminders, FieldRule::MenuBit, FieldRule::EscalatingAlerts,
                  FieldRule::LowBattAlertDelay, FieldRule::Passcode});
    DecodeUrgentTargets(settings, image);
    DecodeFolders(settings, image);
    // An image made without a pager carries no serial number of one.
    if (OriginWord(image) != 0) {
        DecodeValues(settings, image, {FieldRule::SerialNumber});
    }
    if (settings.checked("cannedMessages")) {
        DecodeValues(settings, image, {FieldRule::CannedText});
    } else {
        for (int n = 1; n <= kCannedCount; ++n) {
            settings.setText(Member("canned", n), "");
        }
    }
    DecodeSchedule(settings, image);
    RunValueRules(settings);
    return settings;
}

ConfigImage EncodeSettings(const PagerSettings& settings, const std::optional<ImageHeader>& header,
                           bool escalatingAlertsShown)
{
    ConfigImage image{};
    PutHeader(image, header.value_or(OwnImageHeader()));
    EncodeValues(settings, image, escalatingAlertsShown);
    EncodeAddresses(settings, image);
    EncodeDecoderOptions(settings, image);
    EncodeRfWord(settings, image, header.has_value());
    EncodeUrgentTargets(settings, image);
    EncodeFolderRanges(settings, image);
    EncodeSchedule(settings, image);
    StoreCheckWord1(image);
    StoreCheckWord2(image);
    return image;
}

}  // namespace q9tx
