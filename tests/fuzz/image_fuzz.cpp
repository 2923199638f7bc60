// Image validation and the conversion between images and the settings. Input: 512 image
// bytes (missing ones are zero), a flag byte (bit 0: put the right magic and layout
// version in, bit 1: put the right check words in, bit 2: encode for a pager, with the
// image's header, instead of for a file), and the map version to validate against.
//
// Properties: validation's verdict follows its four rules in order; a validated image
// always decodes; settings that then pass their check encode to an image that validates,
// carries the given header, keeps every value the conversion carries, and decodes and
// encodes again to the very same bytes.

#include <algorithm>
#include <string>

#include "conversion_target.h"
#include "fuzz_check.h"
#include "image/capcode.h"
#include "image/image_layout.h"
#include "image/image_validation.h"
#include "image/rf_word.h"
#include "image/status_error.h"
#include "image/text_field.h"
#include "checksum/crc16.h"

namespace {

using q9tx::ConfigImage;

constexpr int kAccepted = 0;

std::uint16_t Le16(const ConfigImage& image, std::size_t at) { return std::uint16_t(image[at] | image[at + 1] << 8); }

std::uint16_t Crc(const ConfigImage& image, std::size_t from, std::size_t to)
{
    return q9tx::crc16(0, &image[from], std::uint16_t(to - from + 1));
}

void Seal(ConfigImage& image)
{
    const std::uint16_t first = Crc(image, 32, 93);
    const std::uint16_t second = Crc(image, 96, 509);
    image[94] = std::uint8_t(first);
    image[95] = std::uint8_t(first >> 8);
    image[510] = std::uint8_t(second);
    image[511] = std::uint8_t(second >> 8);
}

int ExpectedVerdict(const ConfigImage& image, int mapVersionIndex)
{
    if (Le16(image, 0) != 0xAC28 || image[2] != 1)
        return 1103;
    if (Crc(image, 32, 93) != Le16(image, 94) || Crc(image, 96, 509) != Le16(image, 510))
        return 1403;
    if (Le16(image, 4) == 0 && image[3] != mapVersionIndex)
        return 1401;
    return kAccepted;
}

int Verdict(const ConfigImage& image, int mapVersionIndex)
{
    try {
        q9tx::ValidateImage(mapVersionIndex, image);
        return kAccepted;
    } catch (const q9tx::StatusError& error) {
        return error.number();
    }
}

std::string Hex(const ConfigImage& image, std::size_t at, std::size_t count)
{
    std::string text;
    for (std::size_t i = at; i < at + count; ++i) {
        const char digits[] = "0123456789ABCDEF";
        text += digits[image[i] >> 4];
        text += digits[image[i] & 15];
        text += ' ';
    }
    return text;
}

bool IsPlainValue(const q9tx::ImageField& field)
{
    if (field.control.empty() || field.rule != q9tx::FieldRule::Plain)
        return false;
    switch (field.kind) {
    case q9tx::FieldKind::CheckBit:
    case q9tx::FieldKind::ListIndex:
    case q9tx::FieldKind::Number:
    case q9tx::FieldKind::Word16:
    case q9tx::FieldKind::Text:
        return true;
    default:
        return false;
    }
}

bool Bit(const ConfigImage& image, std::size_t offset, unsigned bit) { return (image[offset] >> bit) & 1u; }

// Plain values that an editor rule clears when another value says so.
struct ClearedWhen {
    const char* control;
    bool (*condition)(const ConfigImage& read);
};
const ClearedWhen kClearedByRules[] = {
    // Muting is an option only while the user may choose the alert mode.
    {"muteOption", [](const ConfigImage& read) { return ((read[128] >> 2) & 3) != 0; }},
};

bool ClearedByRule(const q9tx::ImageField& field, const ConfigImage& read)
{
    for (const ClearedWhen& rule : kClearedByRules) {
        if (field.control == rule.control && rule.condition(read))
            return true;
    }
    return false;
}

// What the settings carry from `read` into `written`, whose settings passed their check.
void CheckKeptValues(const ConfigImage& read, const ConfigImage& written)
{
    for (const q9tx::ImageField& field : q9tx::ImageLayout()) {
        if (!IsPlainValue(field))
            continue;
        if (ClearedByRule(field, read)) {
            FUZZ_CHECK(q9tx::ReadField(written, field) == 0, "%s was not cleared", field.control.c_str());
            continue;
        }
        if (field.kind == q9tx::FieldKind::Text) {
            const std::size_t width = field.bits / 8u;
            FUZZ_CHECK(q9tx::ReadTextField(read, field.offset, width) == q9tx::ReadTextField(written, field.offset, width),
                       "%s: %s became %s", field.control.c_str(), Hex(read, field.offset, width).c_str(),
                       Hex(written, field.offset, width).c_str());
        } else {
            FUZZ_CHECK(q9tx::ReadField(read, field) == q9tx::ReadField(written, field), "%s: %u became %u",
                       field.control.c_str(), q9tx::ReadField(read, field), q9tx::ReadField(written, field));
        }
    }
    for (int slot = 1; slot <= q9tx::kSlotCount; ++slot) {
        const std::size_t at = q9tx::AddressWordOffset(slot);
        const std::uint32_t before = q9tx::ReadLe32(read, at);
        const std::uint32_t after = q9tx::ReadLe32(written, at);
        FUZZ_CHECK((before & 0xFFFFF880) == (after & 0xFFFFF880), "address slot %d: %08X became %08X", slot, before,
                   after);
        // Urgent targets travel only with an enabled address of private storage.
        const bool carried = (before & 0x80) && (slot > q9tx::kSlotsWithStorage || !Bit(read, 125, unsigned(slot - 1)));
        const std::size_t urgent = q9tx::UrgentByteOffset(slot);
        const unsigned shift = q9tx::UrgentNibbleShift(slot);
        const unsigned expected = carried ? (read[urgent] >> shift) & 15u : 0u;
        FUZZ_CHECK(((written[urgent] >> shift) & 15u) == expected, "urgent targets of slot %d: %X, expected %X", slot,
                   (written[urgent] >> shift) & 15u, expected);
    }
    q9tx::RfWord before = q9tx::RfWordOf(read);
    q9tx::RfWord after = q9tx::RfWordOf(written);
    const std::uint32_t hertz = q9tx::RfWordToFrequency(before);
    FUZZ_CHECK(q9tx::RfWordToFrequency(after) == hertz, "the frequency %u Hz became %u Hz", hertz,
               q9tx::RfWordToFrequency(after));
    for (int day = 1; day <= q9tx::kDayCount; ++day) {
        const std::size_t at = q9tx::ScheduleDayOffset(day);
        // A day that starts when it ends is turned off by the schedule check.
        if ((read[at] & 0x7F) == read[at + 2] && read[at + 1] == read[at + 3])
            continue;
        ConfigImage expected = read;
        if ((read[at] & 0x7F) > 23) {
            expected[at] = 24, expected[at + 1] = 0, expected[at + 2] = 0, expected[at + 3] = 0;
        } else if (read[at + 2] > 23) {
            expected[at] = 0, expected[at + 1] = 0, expected[at + 2] = 24, expected[at + 3] = 0;
        }
        FUZZ_CHECK(Hex(expected, at, 4) == Hex(written, at, 4), "day %d: %s became %s", day, Hex(read, at, 4).c_str(),
                   Hex(written, at, 4).c_str());
    }
    const bool handProgramming = Bit(read, 131, 1);
    FUZZ_CHECK(q9tx::ReadTextField(written, 312, 4) == (handProgramming ? q9tx::ReadTextField(read, 312, 4) : "6947"),
               "passcode %s became %s", Hex(read, 312, 4).c_str(), Hex(written, 312, 4).c_str());
    const bool canned = Bit(read, 130, 5);
    for (int message = 1; message <= q9tx::kCannedCount; ++message) {
        const std::size_t at = q9tx::CannedOffset(message);
        FUZZ_CHECK(q9tx::ReadTextField(written, at, 16) == (canned ? q9tx::ReadTextField(read, at, 16) : ""),
                   "canned message %d: %s became %s", message, Hex(read, at, 16).c_str(), Hex(written, at, 16).c_str());
    }
}

bool HasUnshownFolderSize(const ConfigImage& image)
{
    for (int folder = 1; folder <= q9tx::kFolderCount; ++folder) {
        const std::size_t at = q9tx::FolderRangeOffset(folder);
        const int size = image[at + 1] - image[at] + 1;
        if (image[at] != 0xFF && (size < -9 || size > 99))
            return true;
    }
    return false;
}

bool HasUnshownMinute(const ConfigImage& image)
{
    for (int day = 1; day <= q9tx::kDayCount; ++day) {
        const std::size_t at = q9tx::ScheduleDayOffset(day);
        const bool withTimes = (image[at] & 0x7F) <= 23 && image[at + 2] <= 23;
        if (withTimes && (image[at + 1] > 99 || image[at + 3] > 99))
            return true;
    }
    return false;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    InitialiseOffscreenApplication();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    ConfigImage image{};
    std::copy_n(data, std::min(size, image.size()), image.begin());
    const std::uint8_t flags = size > 512 ? data[512] : 0;
    const int mapVersionIndex = size > 513 ? int(data[513]) - 1 : 0;
    if (flags & 1) {
        image[0] = 0x28, image[1] = 0xAC, image[2] = 1;
    }
    if (flags & 2)
        Seal(image);
    const bool forPager = flags & 4;

    const int verdict = Verdict(image, mapVersionIndex);
    FUZZ_CHECK(verdict == ExpectedVerdict(image, mapVersionIndex), "verdict %d, expected %d", verdict,
               ExpectedVerdict(image, mapVersionIndex));

    // One for the whole run: a window takes far longer to make than an input to check, and
    // every property holds whatever an earlier input left in the settings.
    static const std::unique_ptr<ConversionTarget> settings = MakeConversionTarget();
    if (Verdict(image, settings->MapVersionIndex()) != kAccepted)
        return 0;
    settings->Decode(image);
    if (!settings->SettingsValid())
        return 0;
    const std::optional<q9tx::ImageHeader> header =
        forPager ? std::optional(q9tx::HeaderOf(image)) : std::nullopt;
    ConfigImage written{};
    try {
        written = settings->Encode(header);
    } catch (const q9tx::ConversionError& error) {
        // A folder size that its two-character field cannot show, or a minute of three
        // digits, is left empty; the settings check looks at neither folder sizes nor, with
        // the schedule unused, times. Encoding then stops with the conversion error, and no
        // image is made.
        FUZZ_CHECK(HasUnshownFolderSize(image) || HasUnshownMinute(image), "settings that passed their check did not encode: %s", error.what());
        return 0;
    } catch (const std::exception& error) {
        FUZZ_CHECK(false, "settings that passed their check did not encode: %s", error.what());
    }
    FUZZ_CHECK(q9tx::HeaderOf(written) == header.value_or(q9tx::OwnImageHeader()), "header %s",
               Hex(written, 0, 32).c_str());
    FUZZ_CHECK(Crc(written, 32, 93) == Le16(written, 94) && Crc(written, 96, 509) == Le16(written, 510),
               "the written image's check words are wrong");
    CheckKeptValues(image, written);

    settings->Decode(written);
    FUZZ_CHECK(settings->SettingsValid(), "the settings of an image just written do not pass their check");
    ConfigImage again{};
    try {
        again = settings->Encode(header);
    } catch (const std::exception& error) {
        // The check keeps folder ranges within the slots, so every size comes back showable.
        FUZZ_CHECK(false, "an image just written did not encode again: %s", error.what());
    }
    for (std::size_t i = 0; i < again.size(); ++i)
        FUZZ_CHECK(again[i] == written[i], "byte %zu: %02X, then %02X", i, written[i], again[i]);
    return 0;
}
