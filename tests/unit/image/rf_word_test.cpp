#include "image/rf_word.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <span>

namespace q9tx {
namespace {

RfWord ForChip(std::uint8_t chip)
{
    RfWord word{};
    SetRfChipType(word, chip);
    return word;
}

const char* ChipName(std::uint8_t chip)
{
    static const char* const names[] = {"None", "FS8170", "FS8108"};
    return names[chip];
}

TEST(RfWord, WorkedValues)
{
    struct Case {
        std::uint32_t hertz;
        std::uint8_t chip;
        RfWord stored;
        std::uint8_t shownStep;  // step code after normalisation
    };
    const Case cases[] = {
        {457'600'000, PllChipFs8108, {0xA2, 0x00, 0x88, 0x50}, 0},
        {457'600'000, PllChipFs8170, {0x50, 0x01, 0x10, 0x50}, 0},
        {457'612'500, PllChipFs8108, {0xA4, 0x01, 0x10, 0xA2}, 2},
        {160'000'000, PllChipFs8108, {0x80, 0x00, 0x56, 0xA0}, 0},
        {280'000'000, PllChipFs8108, {0x92, 0x00, 0xA1, 0xA0}, 0},
        {152'012'500, PllChipFs8170, {0x40, 0x00, 0xA3, 0x22}, 0},
        {929'612'500, PllChipFs8170, {0x64, 0x04, 0x6F, 0x22}, 4},
        {173'000'000, PllChipNone, {0x00, 0x00, 0xBD, 0x40}, 0},
    };
    for (const Case& c : cases) {
        RfWord word = ForChip(c.chip);
        ASSERT_TRUE(FrequencyToRfWord(c.hertz, word)) << c.hertz << " on " << ChipName(c.chip);
        EXPECT_EQ(word, c.stored) << c.hertz << " on " << ChipName(c.chip);
        EXPECT_EQ(RfWordToFrequency(word), c.hertz);
        EXPECT_EQ(RfStepCode(word), c.shownStep);
        EXPECT_TRUE(RfWordIsSet(word));
    }
}

TEST(RfWord, AcceptanceRangesAtTheirEdges)
{
    struct Case {
        std::uint32_t hertz;
        bool none, fs8170, fs8108;
    };
    const Case cases[] = {
        {99'900'000, 0, 0, 0},  {121'397'500, 1, 1, 0}, {121'400'000, 1, 1, 1}, {300'000'000, 0, 0, 0},
        {400'000'000, 1, 1, 0}, {421'400'000, 1, 1, 1}, {521'400'000, 1, 1, 0}, {999'990'000, 1, 1, 0},
        {457'600'001, 0, 0, 0},  // no step divides the synthesizer frequency
    };
    for (const Case& c : cases) {
        const bool expected[] = {c.none, c.fs8170, c.fs8108};
        for (std::uint8_t chip = 0; chip < 3; ++chip) {
            RfWord word = ForChip(chip);
            EXPECT_EQ(FrequencyToRfWord(c.hertz, word), expected[chip]) << c.hertz << " on " << ChipName(chip);
        }
    }
}

TEST(RfWord, FailureLeavesTheWordUnchanged)
{
    // 400 and 900 MHz fail only after the FS8108's band and step codes were worked out.
    for (const std::uint32_t hertz : {300'000'000u, 457'600'001u, 400'000'000u, 900'000'000u}) {
        RfWord word = {0xA2, 0x00, 0x88, 0x50};
        EXPECT_FALSE(FrequencyToRfWord(hertz, word)) << hertz;
        EXPECT_EQ(word, (RfWord{0xA2, 0x00, 0x88, 0x50})) << hertz;
    }
}

// Accepted frequencies from their ranges: some step times the range's multiplier must
// divide the synthesizer frequency. Worked out without the conversion's band logic.
bool ExpectedAccepted(std::uint32_t hertz, std::uint8_t chip)
{
    struct Range {
        std::uint32_t from, to, multiplier;
    };
    static const Range anyChip[] = {
        {100'000'000, 300'000'000, 1}, {400'000'000, 600'000'000, 2}, {900'000'000, 1'000'000'000, 4}};
    static const Range fs8108[] = {{121'400'000, 300'000'000, 1}, {421'400'000, 521'400'000, 2}};
    const std::span<const Range> ranges = chip == PllChipFs8108 ? std::span<const Range>(fs8108)
                                                                : std::span<const Range>(anyChip);
    for (const Range& range : ranges) {
        if (hertz >= range.from && hertz < range.to) {
            return std::ranges::any_of(kChannelSteps, [&](std::uint32_t step) {
                return (hertz - kIntermediateFrequency) % (range.multiplier * step) == 0;
            });
        }
    }
    return false;
}

// Every multiple of 625 Hz (the common divisor of all steps) from 90 to 1010 MHz, on every
// chip: acceptance matches the ranges, and an accepted frequency comes back exactly.
TEST(RfWord, EveryFrequencyOnAFineGridRoundTrips)
{
    for (std::uint8_t chip = 0; chip < 3; ++chip) {
        std::uint64_t wrongAcceptance = 0;
        std::uint64_t wrongValue = 0;
        std::uint64_t accepted = 0;
        std::uint32_t firstWrong = 0;
        for (std::uint32_t hertz = 90'000'000; hertz <= 1'010'000'000; hertz += 625) {
            RfWord word = ForChip(chip);
            const bool ok = FrequencyToRfWord(hertz, word);
            bool wrong = ok != ExpectedAccepted(hertz, chip);
            wrongAcceptance += wrong ? 1 : 0;
            if (ok && !wrong) {
                ++accepted;
                const std::optional<std::uint32_t> back = RfWordToShownFrequency(word);
                wrong = !back || *back != hertz || RfChipType(word) != chip;
                wrongValue += wrong ? 1 : 0;
            }
            if (wrong && firstWrong == 0) {
                firstWrong = hertz;
            }
        }
        EXPECT_EQ(wrongAcceptance, 0u) << ChipName(chip) << ", first at " << firstWrong;
        EXPECT_EQ(wrongValue, 0u) << ChipName(chip) << ", first at " << firstWrong;
        EXPECT_GT(accepted, 100'000u) << ChipName(chip);
    }
}

TEST(RfWord, Fs8108Normalisation)
{
    // Stored byte 0 and the byte 0 written back.
    const std::pair<std::uint8_t, std::uint8_t> cases[] = {
        {0xA2, 0x90},  // band 2, step 2 -> band 1, step 0
        {0x97, 0x85},  // band 1, step 7 -> band 0, step 5
        {0x90, 0x90},  {0xA1, 0xA1},  {0x83, 0x83},  // band 0, or step 0 or 1: unchanged
        {0x52, 0x52},  // other chips are never normalised
    };
    for (const auto& [stored, normalised] : cases) {
        RfWord word = {stored, 0x00, 0x88, 0x50};
        RfWordToFrequency(word);
        EXPECT_EQ(word, (RfWord{normalised, 0x00, 0x88, 0x50})) << std::hex << int(stored);
    }
}

TEST(RfWord, WordsWithoutAStepOrMultiplierAreNotSet)
{
    struct Case {
        RfWord word;
        bool set;
    };
    const Case cases[] = {
        {{0x50, 0x01, 0x10, 0x50}, true},
        {{0x46, 0x01, 0x10, 0x50}, false},  // FS8170, step code 6
        {{0x4F, 0x01, 0x10, 0x50}, false},  // FS8170, step code 15
        {{0x70, 0x01, 0x10, 0x50}, false},  // FS8170, band code 3
        {{0x86, 0x00, 0x88, 0x50}, false},  // FS8108, band 0, step 6: nothing to normalise
        {{0xA8, 0x00, 0x88, 0x50}, false},  // FS8108, band 2, step 8 -> step 6
        {{0xB1, 0x00, 0x88, 0x50}, false},  // FS8108, band 3 with step 1 stays band 3
        {{0xB2, 0x00, 0x88, 0x50}, true},   // FS8108, band 3 step 2 -> band 2 step 0
        {{0x64, 0xFF, 0xFF, 0xFE}, false},  // 4,194,303 x 3,125 x 4 does not fit 32 bits
    };
    for (const Case& c : cases) {
        RfWord word = c.word;
        EXPECT_EQ(RfWordToShownFrequency(word).has_value(), c.set) << std::hex << int(c.word[0]);
    }
    RfWord bandThree = {0x70, 0x01, 0x10, 0x50};
    EXPECT_EQ(RfWordToFrequency(bandThree), kIntermediateFrequency);
}

}  // namespace
}  // namespace q9tx
