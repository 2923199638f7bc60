// Seeded property test: images generated over every field's range are loaded into settings
// and built again. The bytes come back except where the conversion itself changes them;
// ExpectedImage spells each of those changes out byte by byte:
//   - reserved bytes and never-read bits take their fixed values, check words are recomputed;
//   - BS1 and BS3 are never read: the image carries the editor's 30 and 31;
//   - 2400 bps keeps bit 4 set; a filter that is off clears its strength bits;
//   - the low-battery delay is written as 01b; byte 129 bits 3 and 7 and byte 131 bit 2 are 0;
//   - the reminder count is 0 while the reminder is disabled; the menu options are 0
//     without the settings menu; muting is cleared unless the user chooses the alert mode;
//   - urgent targets of disabled or public slots are 0;
//   - folder ranges follow each other from slot 0; without public storage no folder is used;
//   - texts end at their first zero byte and are zero-filled; the passcode is "6947"
//     without hand programming; canned texts are 0 while they are off;
//   - the serial number of an image made without a pager is the editor's; a shorter one is
//     filled with spaces;
//   - the RF word is rebuilt from its frequency for the chip the editor holds (the image's
//     own only when a pager made it); a frequency that chip cannot be set to is refused;
//   - a disabled or all-day period keeps only its code; an enabled day whose start equals
//     its finish is disabled while the schedule is in use and the addresses pass; a
//     minute of 100 or more cannot be shown as a time and is refused.

#include "image/capcode.h"
#include "image/config_image.h"
#include "image/image_validation.h"
#include "image/rf_word.h"
#include "image/settings_conversion.h"
#include "image/settings_validation.h"
#include "image/text_field.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <optional>
#include <random>
#include <string>

namespace q9tx {
namespace {

constexpr std::uint32_t kSeed = 20261208;
constexpr int kImageCount = 200'000;

using Random = std::mt19937;

int Uniform(Random& random, int low, int high) { return std::uniform_int_distribution<int>(low, high)(random); }
bool Chance(Random& random, int percent) { return Uniform(random, 0, 99) < percent; }

std::string Hex(const ConfigImage& image)
{
    std::string text;
    char byte[4];
    for (std::size_t i = 0; i < image.size(); ++i) {
        std::snprintf(byte, sizeof byte, "%02x%s", image[i], i % 32 == 31 ? "\n" : " ");
        text += byte;
    }
    return text;
}

// A frequency the chip accepts, on one of the channel steps.
std::uint32_t ReachableHertz(Random& random, std::uint8_t chip)
{
    for (;;) {
        const std::uint32_t bands[3][2] = {{100'000'000, 299'999'999}, {400'000'000, 599'999'999},
                                           {900'000'000, 999'999'999}};
        const int band = Uniform(random, 0, 2);
        const std::uint32_t unit = kBandMultipliers[band] * kChannelSteps[Uniform(random, 0, 5)];
        const std::uint32_t low = bands[band][0] - kIntermediateFrequency;
        const std::uint32_t high = bands[band][1] - kIntermediateFrequency;
        const std::uint32_t counter = std::uniform_int_distribution<std::uint32_t>(low / unit + 1, high / unit)(random);
        const std::uint32_t hertz = counter * unit + kIntermediateFrequency;
        RfWord probe{};
        SetRfChipType(probe, chip);
        if (FrequencyToRfWord(hertz, probe)) {
            return hertz;
        }
    }
}

void PutRandomRfWord(Random& random, ConfigImage& image)
{
    if (Chance(random, 15)) {
        return;  // whatever the random bytes hold
    }
    const auto chip = static_cast<std::uint8_t>(Uniform(random, 0, 2));
    RfWord rfWord{};
    SetRfChipType(rfWord, chip);
    // Mostly a frequency that the FS8108, which the editor starts with, can be set to too.
    const bool forFs8108 = OriginWord(image) == 0 && Chance(random, 80);
    FrequencyToRfWord(ReachableHertz(random, forFs8108 ? static_cast<std::uint8_t>(PllChipFs8108) : chip), rfWord);
    PutRfWord(image, rfWord);
}

void PutRandomSchedule(Random& random, ConfigImage& image)
{
    for (int day = 1; day <= kDayCount; ++day) {
        std::uint8_t* record = &image[ScheduleDayOffset(day)];
        const int night = Chance(random, 30) ? 0x80 : 0;
        switch (Uniform(random, 0, 3)) {
        case 0:  // disabled all day, any other bytes
            record[0] = static_cast<std::uint8_t>(Uniform(random, 24, 127) | night);
            break;
        case 1:  // enabled all day
            record[0] = static_cast<std::uint8_t>(Uniform(random, 0, 23) | night);
            record[2] = static_cast<std::uint8_t>(Uniform(random, 24, 255));
            break;
        default:  // enabled, minutes mostly showable
            record[0] = static_cast<std::uint8_t>(Uniform(random, 0, 23) | night);
            record[1] = static_cast<std::uint8_t>(Chance(random, 1) ? Uniform(random, 60, 255) : Uniform(random, 0, 59));
            record[2] = static_cast<std::uint8_t>(Uniform(random, 0, 23));
            record[3] = static_cast<std::uint8_t>(Chance(random, 1) ? Uniform(random, 60, 255) : Uniform(random, 0, 59));
            if (Chance(random, 5)) {
                record[2] = record[0] & 0x7F;
                record[3] = record[1];
            }
            break;
        }
    }
}

void PutRandomFolders(Random& random, ConfigImage& image)
{
    if (Chance(random, 30)) {
        return;  // random ranges, gaps and overlaps included
    }
    const int used = Uniform(random, 0, kFolderCount);
    int next = 0;
    for (int k = 1; k <= kFolderCount; ++k) {
        const std::size_t offset = FolderRangeOffset(k);
        if (k > used) {
            image[offset] = 0xFF;
            image[offset + 1] = 0;
            continue;
        }
        const int size = Chance(random, 5) ? Uniform(random, 0, 256) : Uniform(random, 1, 20);
        const int first = k == 1 ? 0 : next;
        next = first + size;
        image[offset] = static_cast<std::uint8_t>(first);
        image[offset + 1] = static_cast<std::uint8_t>(next - 1);
        if (image[offset] == 0xFF) {
            break;
        }
    }
}

void PutRandomTexts(Random& random, ConfigImage& image)
{
    const std::pair<std::size_t, std::size_t> texts[] = {{136, 144}, {312, 4}, {316, 20}, {336, 8}, {344, 64}};
    for (const auto& [offset, size] : texts) {
        if (Chance(random, 50)) {
            image[offset + static_cast<std::size_t>(Uniform(random, 0, static_cast<int>(size) - 1))] = 0;
        }
    }
}

ConfigImage RandomImage(Random& random)
{
    ConfigImage image{};
    for (std::uint8_t& byte : image) {
        byte = static_cast<std::uint8_t>(Uniform(random, 0, 255));
    }
    image[0] = 0x28;
    image[1] = 0xAC;
    image[2] = 1;
    if (Chance(random, 50)) {
        image[4] = image[5] = 0;
    } else if (image[4] == 0 && image[5] == 0) {
        image[4] = 1;
    }
    for (int slot = 1; slot <= kSlotCount; ++slot) {
        // Capcodes at the borders of the stored range now and then.
        if (Chance(random, 10)) {
            const std::uint32_t capcode = Chance(random, 50) ? 0 : kMaxCapcode;
            WriteLe32(image, AddressWordOffset(slot), CapcodeToAddressWord(capcode, Chance(random, 50), slot));
        }
    }
    PutRandomRfWord(random, image);
    PutRandomSchedule(random, image);
    PutRandomFolders(random, image);
    PutRandomTexts(random, image);
    StoreCheckWord1(image);
    StoreCheckWord2(image);
    return image;
}

void CopyText(const ConfigImage& from, ConfigImage& to, std::size_t offset, std::size_t width)
{
    WriteTextField(to, offset, width, ReadTextField(from, offset, width));
}

struct Expectation {
    ConfigImage image{};
    std::optional<std::string> refused;  // the setting the encoding refuses
};

// The image the conversion must give back for `in`, encoded with `in`'s own header and
// decoded into an editor at its start-up values.
Expectation ExpectedImage(const ConfigImage& in)
{
    Expectation expected;
    ConfigImage& out = expected.image;
    const bool fromPager = OriginWord(in) != 0;
    std::copy_n(in.begin(), kHeaderSize, out.begin());

    out[32] = static_cast<std::uint8_t>((in[32] & 0x80) | 0x02);
    const bool fast = in[33] & 0x08;
    out[33] = static_cast<std::uint8_t>(0x86 | (fast ? 0x18 : in[33] & 0x10) | (in[33] & 0x20));
    out[34] = 0xEF;  // BS3 31 and BS1 30, reversed
    out[35] = static_cast<std::uint8_t>(0x01 | ((in[35] & 0x04) ? in[35] & 0x1C : 0) | (in[35] & 0xE0));

    for (int slot = 1; slot <= kSlotCount; ++slot) {
        const std::uint32_t word = ReadLe32(in, AddressWordOffset(slot));
        WriteLe32(out, AddressWordOffset(slot), (word & 0xFFFFF880u) | SlotTag(slot));
    }

    RfWord rfWord = RfWordOf(in);
    const std::uint8_t imageChip = RfChipType(rfWord);
    const std::uint8_t chip = fromPager ? (imageChip < 3 ? imageChip : 0) : 2;
    const std::optional<std::uint32_t> hertz = RfWordToShownFrequency(rfWord);
    RfWord stored{};
    SetRfChipType(stored, chip);
    if (!hertz || !FrequencyToRfWord(*hertz, stored)) {
        expected.refused = "frequency";
    }
    PutRfWord(out, stored);

    out[92] = in[92] & 0x04;
    std::copy(in.begin() + 96, in.begin() + 118, out.begin() + 96);
    out[120] = in[120];
    out[121] = in[121];
    out[122] = in[122];
    out[123] = (in[129] & 0x70) ? in[123] : 0;
    out[124] = in[124];
    out[125] = in[125] & 0x0F;
    out[126] = (in[126] & 0x01) ? in[126] & 0x0F : 0;
    out[128] = static_cast<std::uint8_t>((in[128] & 0xCF) | ((in[128] & 0x30) ? 0x10 : 0));
    out[129] = in[129] & 0x77;
    const bool userChoosesAlert = (in[128] & 0x0C) == 0;
    out[130] = userChoosesAlert ? in[130] : in[130] & ~0x08;
    out[131] = in[131] & ~0x04;

    for (int slot = 1; slot <= kSlotCount; ++slot) {
        const bool enabled = ReadLe32(in, AddressWordOffset(slot)) & 0x80;
        const bool isPrivate = slot > kSlotsWithStorage || !(in[125] & (1 << (slot - 1)));
        if (enabled && isPrivate) {
            const unsigned shift = UrgentNibbleShift(slot);
            out[UrgentByteOffset(slot)] |= static_cast<std::uint8_t>(in[UrgentByteOffset(slot)] & (0x0F << shift));
        }
    }

    for (int folder = 1; folder <= kFolderCount; ++folder) {
        CopyText(in, out, FolderNameOffset(folder), kFolderNameSize);
    }
    const bool anyPublic = in[125] & 0x0F;
    std::uint16_t counter = 0;
    for (int folder = 1; folder <= kFolderCount; ++folder) {
        const std::size_t offset = FolderRangeOffset(folder);
        if (!anyPublic || in[offset] == 0xFF) {
            out[offset] = 0xFF;
            continue;
        }
        const auto size = static_cast<std::uint16_t>(in[offset + 1] - in[offset] + 1);
        const auto first = static_cast<std::uint16_t>(folder == 1 ? 0 : counter + 1);
        counter = static_cast<std::uint16_t>(first + size - 1);
        out[offset] = static_cast<std::uint8_t>(first);
        out[offset + 1] = static_cast<std::uint8_t>(counter);
    }

    if (in[131] & 0x02) {
        CopyText(in, out, 312, 4);
    } else {
        WriteTextField(out, 312, 4, "6947");
    }
    CopyText(in, out, 316, 20);
    std::string serial = fromPager ? ReadTextField(in, 336, 8) : "00000000";
    serial.resize(8, ' ');
    WriteTextField(out, 336, 8, serial);
    if (in[130] & 0x20) {
        for (int n = 1; n <= kCannedCount; ++n) {
            CopyText(in, out, CannedOffset(n), kCannedSize);
        }
    }

    // The schedule check runs only when every address is legal and free.
    bool addressesAccepted = true;
    for (int slot = 1; slot <= kSlotCount; ++slot) {
        const std::uint32_t capcode = AddressWordToCapcode(ReadLe32(in, AddressWordOffset(slot))).capcode;
        addressesAccepted = addressesAccepted && IsLegalCapcode(capcode);
        for (int other = 1; other < slot; ++other) {
            addressesAccepted = addressesAccepted &&
                                capcode != AddressWordToCapcode(ReadLe32(in, AddressWordOffset(other))).capcode;
        }
    }
    const bool useSchedule = (in[131] & 0x20) && addressesAccepted;
    for (int day = 1; day <= kDayCount; ++day) {
        const std::uint8_t* record = &in[ScheduleDayOffset(day)];
        std::uint8_t* result = &out[ScheduleDayOffset(day)];
        const int startHour = record[0] & 0x7F;
        if (startHour > 23) {
            result[0] = 24;
        } else if (record[2] > 23) {
            result[2] = 24;
        } else if (record[1] >= 100 || record[3] >= 100) {
            if (!expected.refused) {
                expected.refused = (record[1] >= 100 ? "start" : "finish") + std::to_string(day);
            }
        } else {
            const int start = startHour * 100 + record[1];
            const int finish = (record[0] & 0x80) ? 2400 : record[2] * 100 + record[3];
            if (useSchedule && start == finish) {
                result[0] = 24;
            } else {
                std::copy_n(record, 4, result);
            }
        }
    }
    StoreCheckWord1(out);
    StoreCheckWord2(out);
    return expected;
}

TEST(SettingsRoundTrip, ImagesComeBackExceptForTheConversionsOwnChanges)
{
    Random random(kSeed);
    const PagerSettings startup = DefaultSettings();
    int refusals = 0;
    for (int n = 0; n < kImageCount; ++n) {
        const ConfigImage image = RandomImage(random);
        ASSERT_NO_THROW(ValidateImage(image[3], image)) << Hex(image);
        const Expectation expected = ExpectedImage(image);
        const PagerSettings settings = DecodeSettings(image, startup);
        try {
            const ConfigImage again = EncodeSettings(settings, HeaderOf(image));
            ASSERT_FALSE(expected.refused) << "image " << n << " should be refused for " << *expected.refused
                                           << "\n" << Hex(image);
            if (again != expected.image) {
                ASSERT_EQ(Hex(again), Hex(expected.image)) << "image " << n << ", from\n" << Hex(image);
            }
        } catch (const SettingsRefused& refusal) {
            ASSERT_EQ(refusal.problem().name, expected.refused.value_or("nothing")) << "image " << n << "\n"
                                                                                    << Hex(image);
            ++refusals;
        }
    }
    std::printf("%d of %d images refused\n", refusals, kImageCount);
    // Most images must get through, or the test would prove little.
    EXPECT_LT(refusals, kImageCount / 2);
}

// What the load leaves as it was, because the image does not carry it.
TEST(SettingsRoundTrip, LoadKeepsWhatTheImageDoesNotCarry)
{
    PagerSettings previous = DefaultSettings();
    previous.setChecked("urgent1A", true);
    previous.setText("serialNum", "KEEP0001");
    previous.setNumber("pllChip", 0);
    previous.setNumber("bs1", 12);
    previous.setNumber("bs3", 40);
    PagerSettings source = DefaultSettings();
    source.setChecked("addrEn1", false);
    source.setText("serialNum", "NEW");
    source.setNumber("pllChip", 1);

    const PagerSettings fromFile = DecodeSettings(EncodeSettings(source, std::nullopt), previous);
    EXPECT_TRUE(fromFile.checked("urgent1A"));
    EXPECT_EQ(fromFile.text("serialNum"), "KEEP0001");
    EXPECT_EQ(fromFile.number("pllChip"), 0);
    EXPECT_EQ(fromFile.number("bs1"), 12);
    EXPECT_EQ(fromFile.number("bs3"), 40);

    ImageHeader pagerHeader = OwnImageHeader();
    pagerHeader[4] = 0x34;
    const PagerSettings fromPager = DecodeSettings(EncodeSettings(source, pagerHeader), previous);
    EXPECT_EQ(fromPager.text("serialNum"), "NEW     ");
    EXPECT_EQ(fromPager.number("pllChip"), 1);
}

}  // namespace
}  // namespace q9tx
