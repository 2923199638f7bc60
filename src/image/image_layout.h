#pragma once
// Every field of the configuration image as data: where it lies, how it is stored, which
// editor control shows it, and whether it needs a rule of its own. The image conversion
// and the tools read this table instead of spelling out offsets and masks.

#include "image/config_image.h"

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace q9tx {

enum class FieldKind : std::uint8_t {
    Header,     // the 32-byte header, carried from the pager or made whole
    CheckWord,  // 16-bit CRC over one of the two checked regions
    Reserved,   // written as zero, never read
    Fixed,      // written with `fixedValue`, never read
    ListIndex,  // item index of a drop-down list
    CheckBit,   // check box, 1 = checked
    Number,     // numeric edit, stored as an unsigned number
    Word16,     // 16-bit pattern shown as four hexadecimal digits
    Text,       // fixed-width text (see text_field.h)
    Derived,    // computed from several controls by the field's rule
};

// Fields whose value is not simply the control's value, or that are written or read only
// under a condition. The conversion handles each of these in its own step.
enum class FieldRule : std::uint8_t {
    Plain,
    AddressWord,        // capcode, enable bit and slot tag: CapcodeToAddressWord
    RfWord,             // chip, band, step and counter: FrequencyToRfWord
    Baudrate,           // bit 3 = 2400 bps, else bit 4 = 512 / 1200
    ReversedBits,       // stored as ReverseBits(value, bits)
    FilterStrength,     // bit 2 = on, bits 3-4 = reversed index; "Off" clears all three
    UrgentNibble,       // only while the slot is enabled and, for slots 1-4, private
    FolderRange,        // first and last slot, consecutive from the folder sizes
    Passcode,           // "6947" whenever hand programming is off
    SerialNumber,       // read only when the header's origin word is not zero
    CannedText,         // only while canned messages are on
    Schedule,           // the period is coded into the hour bytes
    EscalatingAlerts,   // written only while the control is shown
    NumReminders,       // written 0 while the unread reminder is disabled
    MenuBit,            // written 0 while "setup" is off
    LowBattAlertDelay,  // written as 01b, read as checked when either bit is set
};

struct ImageField {
    std::string control;  // the editor control; empty where no control feeds the field
    std::uint16_t offset;  // first byte
    std::uint8_t bit;      // lowest bit, counted in the little-endian value from `offset`
    std::uint16_t bits;    // width; 8 per byte for texts and byte regions
    FieldKind kind;
    FieldRule rule = FieldRule::Plain;
    std::span<const std::string_view> items = {};  // ListIndex: the drop-down's items
    std::uint32_t fixedValue = 0;                 // Fixed: the value written

    // Bytes from `offset` that hold part of the field.
    std::uint16_t byteCount() const { return static_cast<std::uint16_t>((bit + bits + 7) / 8); }
};

// All fields, in offset order; together they cover every bit of the image exactly once.
const std::vector<ImageField>& ImageLayout();

// The fields a control feeds, in offset order (two for a schedule time, one otherwise).
std::vector<const ImageField*> FieldsOf(std::string_view control);

// The first field a control feeds; throws std::out_of_range when it feeds none.
const ImageField& FieldOf(std::string_view control);

// Value access for fields of at most 32 bits; `WriteField` keeps the neighbouring bits and
// stores only the low `bits` bits of `value`. Both throw std::invalid_argument for a
// wider field.
std::uint32_t ReadField(const ConfigImage& image, const ImageField& field);
void WriteField(ConfigImage& image, const ImageField& field, std::uint32_t value);

}  // namespace q9tx
