#include "image/rf_word.h"

#include <limits>

namespace q9tx {

namespace {

constexpr std::uint32_t kHundredMegahertz = 100'000'000;
constexpr std::size_t kStepCount = sizeof(kChannelSteps) / sizeof(kChannelSteps[0]);

std::uint8_t PackCodes(std::uint8_t chip, std::uint8_t band, std::uint8_t step)
{
    return static_cast<std::uint8_t>(((chip & 0x03) << 6) | ((band & 0x03) << 4) | (step & 0x0F));
}

std::uint32_t CounterOf(const RfWord& rfWord)
{
    if (RfChipType(rfWord) == PllChipFs8108) {
        return ((static_cast<std::uint32_t>(rfWord[1]) << 16) | (rfWord[2] << 8) | rfWord[3]) >> 1;
    }
    return (static_cast<std::uint32_t>(rfWord[1]) << 14) | (rfWord[2] << 6) | (rfWord[3] >> 1);
}

void PutCounter(RfWord& rfWord, std::uint32_t counter)
{
    if (RfChipType(rfWord) == PllChipFs8108) {
        const std::uint32_t doubled = 2 * counter;  // big-endian, bit 0 always clear
        rfWord[1] = static_cast<std::uint8_t>(doubled >> 16);
        rfWord[2] = static_cast<std::uint8_t>(doubled >> 8);
        rfWord[3] = static_cast<std::uint8_t>(doubled);
        return;
    }
    rfWord[1] = static_cast<std::uint8_t>(counter >> 14);
    rfWord[2] = static_cast<std::uint8_t>(counter >> 6);
    rfWord[3] = static_cast<std::uint8_t>((counter & 0x3F) << 1);
}

void Normalise(RfWord& rfWord)
{
    const std::uint8_t band = RfBandCode(rfWord);
    const std::uint8_t step = RfStepCode(rfWord);
    if (RfChipType(rfWord) == PllChipFs8108 && band != 0 && step > 1) {
        rfWord[0] = PackCodes(PllChipFs8108, static_cast<std::uint8_t>(band - 1),
                              static_cast<std::uint8_t>(step - 2));
    }
}

// Exact, so that a word whose value does not fit in 32 bits can be recognised.
std::uint64_t ExactFrequency(const RfWord& normalisedWord)
{
    const std::uint8_t step = RfStepCode(normalisedWord);
    const std::uint64_t stepHertz = step < kStepCount ? kChannelSteps[step] : 0;
    return static_cast<std::uint64_t>(CounterOf(normalisedWord)) * stepHertz *
               kBandMultipliers[RfBandCode(normalisedWord)] +
           kIntermediateFrequency;
}

}  // namespace

bool FrequencyToRfWord(std::uint32_t hertz, RfWord& rfWord)
{
    const std::uint8_t chip = RfChipType(rfWord);
    std::uint8_t band = 0;
    switch (hertz / kHundredMegahertz) {
    case 1:
    case 2:
        band = 0;
        break;
    case 4:
    case 5:
        band = 1;
        break;
    case 9:
        band = 2;
        break;
    default:
        return false;
    }

    const std::uint32_t synthesizer = hertz - kIntermediateFrequency;
    std::uint8_t step = RfStepCode(rfWord);
    std::uint32_t counter = 0;
    // The coarsest step that divides the synthesizer frequency wins.
    for (std::uint8_t s = 0; s < kStepCount; ++s) {
        const std::uint32_t unit = kBandMultipliers[band] * kChannelSteps[s];
        if (synthesizer % unit == 0) {
            counter = synthesizer / unit;
            step = s;
            break;
        }
    }

    if (chip == PllChipFs8108) {
        // The FS8108 counts the synthesizer frequency in its own bands; a higher band
        // halves the step instead of changing the counter.
        switch (synthesizer / kHundredMegahertz) {
        case 1:
            band = 0;
            break;
        case 2:
            band = 1;
            step = static_cast<std::uint8_t>(step + 2);
            break;
        case 4:
            band = 2;
            step = static_cast<std::uint8_t>(step + 2);
            break;
        default:
            return false;
        }
    }
    if (counter == 0) {
        return false;
    }

    rfWord[0] = PackCodes(chip, band, step);
    PutCounter(rfWord, counter);
    return true;
}

std::uint32_t RfWordToFrequency(RfWord& rfWord)
{
    Normalise(rfWord);
    return static_cast<std::uint32_t>(ExactFrequency(rfWord));
}

bool RfWordIsSet(const RfWord& normalisedWord)
{
    return RfStepCode(normalisedWord) < kStepCount && RfBandCode(normalisedWord) != 3 &&
           ExactFrequency(normalisedWord) <= std::numeric_limits<std::uint32_t>::max();
}

std::optional<std::uint32_t> RfWordToShownFrequency(RfWord& rfWord)
{
    const std::uint32_t hertz = RfWordToFrequency(rfWord);
    if (!RfWordIsSet(rfWord)) {
        return std::nullopt;
    }
    return hertz;
}

}  // namespace q9tx
