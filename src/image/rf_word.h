#pragma once
// The receive frequency as the pager stores it: the word its PLL synthesizer chip is
// loaded with. Byte 0 holds the chip type (bits 7-6), the band code (bits 5-4) and the
// channel step code (bits 3-0); bytes 1 to 3 the synthesizer counter in the chip's packing.

#include "image/config_image.h"

#include <cstdint>
#include <optional>

namespace q9tx {

enum PllChip : std::uint8_t {
    PllChipNone = 0,
    PllChipFs8170 = 1,
    PllChipFs8108 = 2,
};

inline constexpr std::uint32_t kIntermediateFrequency = 21'400'000;
inline constexpr std::uint32_t kBandMultipliers[4] = {1, 2, 4, 0};
inline constexpr std::uint32_t kChannelSteps[6] = {12'500, 10'000, 6'250, 5'000, 3'125, 2'500};

constexpr std::uint8_t RfChipType(const RfWord& rfWord) { return rfWord[0] >> 6; }
constexpr std::uint8_t RfBandCode(const RfWord& rfWord) { return (rfWord[0] >> 4) & 0x03; }
constexpr std::uint8_t RfStepCode(const RfWord& rfWord) { return rfWord[0] & 0x0F; }
constexpr void SetRfChipType(RfWord& rfWord, std::uint8_t chip)
{
    rfWord[0] = static_cast<std::uint8_t>((rfWord[0] & 0x3F) | ((chip & 0x03) << 6));
}

// Fills the band code, the step code and the counter for the chip type already in byte 0.
// Returns false, leaving the word unchanged, for a frequency outside the chip's ranges or
// one whose synthesizer frequency no channel step divides.
bool FrequencyToRfWord(std::uint32_t hertz, RfWord& rfWord);

// The frequency the word stands for, in unsigned 32-bit arithmetic. For an FS8108 word
// it first moves byte 0 to its normal form (band code one lower, step code two lower
// when the band code is not 0 and the step code is above 1) and writes that back.
std::uint32_t RfWordToFrequency(RfWord& rfWord);

// Whether an already normalised word stands for a frequency: false when its step code
// has no channel step (6 or more), its band code has no multiplier (3), or its value
// does not fit in 32 bits.
bool RfWordIsSet(const RfWord& normalisedWord);

// What the editor shows: normalises like RfWordToFrequency and gives the frequency, or
// nothing when the word is not set, so the frequency field stays empty and is entered again.
std::optional<std::uint32_t> RfWordToShownFrequency(RfWord& rfWord);

}  // namespace q9tx
