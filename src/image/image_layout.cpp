#include "image/image_layout.h"

#include "image/capcode.h"
#include "image/item_lists.h"

#include <algorithm>
#include <stdexcept>

namespace q9tx {

namespace {

constexpr char kSubAddressLetters[] = "ABCD";
constexpr std::string_view kToneControls[kToneCount] = {
    "toneA", "toneB", "toneC", "toneD", "tonePowerOn", "toneUrgent", "toneWarning"};

std::string Numbered(std::string_view family, int number, std::string_view suffix = {})
{
    return std::string(family) + std::to_string(number) + std::string(suffix);
}

class LayoutBuilder {
public:
    std::vector<ImageField> take()
    {
        std::sort(fields_.begin(), fields_.end(), [](const ImageField& a, const ImageField& b) {
            return a.offset * 8 + a.bit < b.offset * 8 + b.bit;
        });
        return std::move(fields_);
    }

    void bytes(FieldKind kind, ImageRegion region) { add("", region.offset, 0, 8 * region.size, kind); }
    void fixed(std::size_t offset, int bit, int bits, std::uint32_t value, FieldRule rule = FieldRule::Plain)
    {
        add("", offset, bit, bits, FieldKind::Fixed, rule, {}, value);
    }
    void list(std::string control, std::size_t offset, int bit, int bits,
              std::span<const std::string_view> items, FieldRule rule = FieldRule::Plain)
    {
        add(std::move(control), offset, bit, bits, FieldKind::ListIndex, rule, items);
    }
    void check(std::string control, std::size_t offset, int bit, FieldRule rule = FieldRule::Plain, int bits = 1)
    {
        add(std::move(control), offset, bit, bits, FieldKind::CheckBit, rule);
    }
    void number(std::string control, std::size_t offset, int bit, int bits, FieldRule rule = FieldRule::Plain)
    {
        add(std::move(control), offset, bit, bits, FieldKind::Number, rule);
    }
    void word16(std::string control, std::size_t offset) { add(std::move(control), offset, 0, 16, FieldKind::Word16); }
    void text(std::string control, std::size_t offset, int size, FieldRule rule = FieldRule::Plain)
    {
        add(std::move(control), offset, 0, 8 * size, FieldKind::Text, rule);
    }
    void derived(std::string control, std::size_t offset, int bit, int bits, FieldRule rule)
    {
        add(std::move(control), offset, bit, bits, FieldKind::Derived, rule);
    }

private:
    void add(std::string control, std::size_t offset, int bit, int bits, FieldKind kind,
             FieldRule rule = FieldRule::Plain, std::span<const std::string_view> items = {},
             std::uint32_t fixedValue = 0)
    {
        fields_.push_back({std::move(control), static_cast<std::uint16_t>(offset), static_cast<std::uint8_t>(bit),
                           static_cast<std::uint16_t>(bits), kind, rule, items, fixedValue});
    }

    std::vector<ImageField> fields_;
};

void AddFramework(LayoutBuilder& b)
{
    b.bytes(FieldKind::Header, kHeaderRegion);
    b.bytes(FieldKind::CheckWord, kCheckWord1Region);
    b.bytes(FieldKind::CheckWord, kCheckWord2Region);
    for (const ImageRegion& region : kReservedRegions) {
        b.bytes(FieldKind::Reserved, region);
    }
}

void AddDecoderOptions(LayoutBuilder& b)
{
    b.fixed(32, 0, 7, 0x02);
    b.check("bs2Option", 32, 7);
    b.fixed(33, 0, 3, 0x06);
    b.list("baudrate", 33, 3, 2, kBaudrateItems, FieldRule::Baudrate);
    b.list("polarity", 33, 5, 1, kPolarityItems);
    b.number("bs3", 33, 6, 6, FieldRule::ReversedBits);
    b.number("bs1", 34, 4, 6, FieldRule::ReversedBits);
    b.list("filterStrength", 35, 2, 3, kFilterStrengthItems, FieldRule::FilterStrength);
    b.list("preambleError", 35, 5, 3, kPreambleErrorItems, FieldRule::ReversedBits);
}

void AddAddressSlots(LayoutBuilder& b)
{
    for (int slot = 1; slot <= kSlotCount; ++slot) {
        const std::size_t word = AddressWordOffset(slot);
        const std::uint32_t tag = SlotTag(slot);
        b.fixed(word, 0, 7, tag & 0x7F, FieldRule::AddressWord);
        b.check(Numbered("addrEn", slot), word, 7, FieldRule::AddressWord);
        b.fixed(word, 8, 3, tag >> 8, FieldRule::AddressWord);
        b.derived(Numbered("address", slot), word, 11, 21, FieldRule::AddressWord);

        for (int sub = 0; sub < kSubAddressCount; ++sub) {
            const std::string_view letter(&kSubAddressLetters[sub], 1);
            b.list(Numbered("format", slot, letter), FormatByteOffset(slot), 2 * sub, 2, kFormatItems);
            b.check(Numbered("urgent", slot, letter), UrgentByteOffset(slot),
                    static_cast<int>(UrgentNibbleShift(slot)) + sub, FieldRule::UrgentNibble);
        }
        if (slot <= kSlotsWithStorage) {
            b.list(Numbered("storage", slot), 125, slot - 1, 1, kStorageItems);
        }
    }
    b.fixed(125, kSlotsWithStorage, 8 - kSlotsWithStorage, 0);
}

void AddRfWord(LayoutBuilder& b)
{
    const std::size_t rf = kRfWordRegion.offset;
    b.list("channelSpacing", rf, 0, 4, kChannelSpacingItems, FieldRule::RfWord);
    b.derived("", rf, 4, 2, FieldRule::RfWord);  // band code
    b.list("pllChip", rf, 6, 2, kPllChipItems, FieldRule::RfWord);
    b.derived("frequency", rf + 1, 0, 24, FieldRule::RfWord);
}

void AddMessageAndAlertBytes(LayoutBuilder& b)
{
    b.fixed(92, 0, 2, 0);
    b.check("ignorePublicMessages", 92, 2);
    b.fixed(92, 3, 5, 0);

    for (int tone = 1; tone <= kToneCount; ++tone) {
        b.word16(std::string(kToneControls[tone - 1]), TonePatternOffset(tone));
    }

    b.number("lcdBaseContrast", 120, 0, 8);
    b.number("displayHoldTime", 121, 0, 8);
    b.list("messageEncoding", 122, 0, 4, kMessageEncodingItems);
    b.list("menuLanguage", 122, 4, 4, kMenuLanguageItems);
    b.list("numReminders", 123, 0, 8, kNumRemindersItems, FieldRule::NumReminders);
    b.number("rangeHoldTime", 124, 0, 8);

    b.check("setup", 126, 0);
    b.check("schedule", 126, 1, FieldRule::MenuBit);
    b.check("textSize", 126, 2, FieldRule::MenuBit);
    b.check("powerOff", 126, 3, FieldRule::MenuBit);
    b.fixed(126, 4, 4, 0);

    b.list("alertDuration", 128, 0, 2, kHoldTimeItems);
    b.list("fixedAlertMode", 128, 2, 2, kFixedAlertModeItems);
    b.check("lowBattAlertDelay", 128, 4, FieldRule::LowBattAlertDelay, 2);
    b.list("messageHoldTime", 128, 6, 2, kHoldTimeItems);

    b.list("repeatedRejectionTime", 129, 0, 3, kRepeatedRejectionTimeItems);
    b.fixed(129, 3, 1, 0);
    b.list("unreadReminder", 129, 4, 3, kUnreadReminderItems);
    b.fixed(129, 7, 1, 0);

    b.list("continuousMode", 130, 0, 1, kContinuousModeItems);
    b.check("hideMessageNumber", 130, 1);
    b.check("escalatingAlerts", 130, 2, FieldRule::EscalatingAlerts);
    b.check("muteOption", 130, 3);
    b.check("messageOps", 130, 4);
    b.check("cannedMessages", 130, 5);
    b.list("dateFormat", 130, 6, 1, kDateFormatItems);
    b.list("timeFormat", 130, 7, 1, kTimeFormatItems);

    b.check("flashingAlerts", 131, 0);
    b.check("handProg", 131, 1);
    b.fixed(131, 2, 1, 0);
    b.check("keepUnreadWhenDeletingAll", 131, 3);
    b.check("nightMode", 131, 4);
    b.check("useSchedule", 131, 5);
    b.list("repeatedFilter", 131, 6, 2, kRepeatedFilterItems);
}

void AddFoldersAndTexts(LayoutBuilder& b)
{
    for (int folder = 1; folder <= kFolderCount; ++folder) {
        b.text(Numbered("folderName", folder), FolderNameOffset(folder), kFolderNameSize);
        // The first slot tells whether the folder is enabled; both bytes give its size.
        b.derived(Numbered("folderEn", folder), FolderRangeOffset(folder), 0, 8, FieldRule::FolderRange);
        b.derived(Numbered("folderSize", folder), FolderRangeOffset(folder) + 1, 0, 8, FieldRule::FolderRange);
    }
    b.text("passcode", kPasscodeRegion.offset, kPasscodeRegion.size, FieldRule::Passcode);
    b.text("banner", kBannerRegion.offset, kBannerRegion.size);
    b.text("serialNum", kSerialNumberRegion.offset, kSerialNumberRegion.size, FieldRule::SerialNumber);
    for (int message = 1; message <= kCannedCount; ++message) {
        b.text(Numbered("canned", message), CannedOffset(message), kCannedSize, FieldRule::CannedText);
    }
}

void AddSchedule(LayoutBuilder& b)
{
    for (int day = 1; day <= kDayCount; ++day) {
        const std::size_t record = ScheduleDayOffset(day);
        b.derived(Numbered("start", day), record, 0, 7, FieldRule::Schedule);      // hour
        b.check(Numbered("nightShift", day), record, 7, FieldRule::Schedule);
        b.derived(Numbered("start", day), record + 1, 0, 8, FieldRule::Schedule);  // minute
        b.derived(Numbered("finish", day), record + 2, 0, 8, FieldRule::Schedule); // hour
        b.derived(Numbered("finish", day), record + 3, 0, 8, FieldRule::Schedule); // minute
    }
}

std::vector<ImageField> BuildLayout()
{
    LayoutBuilder b;
    AddFramework(b);
    AddDecoderOptions(b);
    AddAddressSlots(b);
    AddRfWord(b);
    AddMessageAndAlertBytes(b);
    AddFoldersAndTexts(b);
    AddSchedule(b);
    return b.take();
}

void CheckValueWidth(const ImageField& field)
{
    if (field.bits > 32) {
        throw std::invalid_argument("image field at " + std::to_string(field.offset) +
                                    " is wider than 32 bits");
    }
}

std::uint64_t FieldMask(const ImageField& field)
{
    return ((std::uint64_t{1} << field.bits) - 1) << field.bit;
}

}  // namespace

const std::vector<ImageField>& ImageLayout()
{
    static const std::vector<ImageField> layout = BuildLayout();
    return layout;
}

std::vector<const ImageField*> FieldsOf(std::string_view control)
{
    std::vector<const ImageField*> found;
    if (control.empty()) {
        return found;
    }
    for (const ImageField& field : ImageLayout()) {
        if (field.control == control) {
            found.push_back(&field);
        }
    }
    return found;
}

const ImageField& FieldOf(std::string_view control)
{
    const std::vector<const ImageField*> found = FieldsOf(control);
    if (found.empty()) {
        throw std::out_of_range("no image field for control '" + std::string(control) + "'");
    }
    return *found.front();
}

std::uint32_t ReadField(const ConfigImage& image, const ImageField& field)
{
    CheckValueWidth(field);
    std::uint64_t value = 0;
    for (std::uint16_t i = 0; i < field.byteCount(); ++i) {
        value |= static_cast<std::uint64_t>(image.at(field.offset + i)) << (8 * i);
    }
    return static_cast<std::uint32_t>((value & FieldMask(field)) >> field.bit);
}

void WriteField(ConfigImage& image, const ImageField& field, std::uint32_t value)
{
    CheckValueWidth(field);
    const std::uint64_t mask = FieldMask(field);
    const std::uint64_t placed = (static_cast<std::uint64_t>(value) << field.bit) & mask;
    for (std::uint16_t i = 0; i < field.byteCount(); ++i) {
        std::uint8_t& byte = image.at(field.offset + i);
        const auto byteMask = static_cast<std::uint8_t>(mask >> (8 * i));
        byte = static_cast<std::uint8_t>((byte & ~byteMask) | ((placed >> (8 * i)) & byteMask));
    }
}

}  // namespace q9tx
