#include "image/bit_reverse.h"
#include "image/capcode.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace q9tx {
namespace {

TEST(ReverseBits, ReversesTheLowBitsAndDropsTheRest)
{
    struct Case {
        std::uint32_t value;
        unsigned count;
        std::uint32_t reversed;
    };
    const Case cases[] = {
        {0b01, 2, 0b10},          {0b110, 3, 0b011},  {31, 6, 62},     {0xFFC0, 6, 0},
        {2004000, 21, 0x00852F},  {1, 21, 1u << 20},  {0x12345678u, 32, 0x1E6A2C48u},
        {0xFFFFFFFFu, 0, 0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ReverseBits(c.value, c.count), c.reversed) << c.value << " over " << c.count;
    }
}

TEST(AddressWord, WorkedValues)
{
    struct Case {
        std::uint32_t capcode;
        int slot;
        bool enabled;
        AddressWord word;
    };
    const Case cases[] = {
        {2004000, 1, true, 0x214BC086},  {2004008, 2, true, 0xA14BC486},
        {1234567, 2, true, 0x0B5A7C86},  {2097143, 5, true, 0x7FFFF986},
        {2004013, 3, false, 0xA14BEA06}, {0, 1, false, 0x00000006},
        {2004056, 8, true, 0xD14BC786},
        // Only the low 21 bits of a capcode are stored.
        {kMaxCapcode + 1 + 2004000, 1, true, 0x214BC086},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(CapcodeToAddressWord(c.capcode, c.enabled, c.slot), c.word) << c.capcode;
    }
    EXPECT_EQ(FrameOf(2004013), 5u);
    EXPECT_EQ(FrameOf(1234567), 7u);
    // The slot tag and the fixed bits are ignored when reading.
    EXPECT_EQ(AddressWordToCapcode(0x0B5A7C86 ^ 0x77F), (StoredAddress{1234567, true}));
    EXPECT_THROW(CapcodeToAddressWord(1, true, 9), std::invalid_argument);
    EXPECT_THROW(CapcodeToAddressWord(1, true, 0), std::invalid_argument);
}

// Every capcode in every slot and both enable states comes back unchanged, and the
// capcode bits never depend on the slot or the enable state.
TEST(AddressWord, EveryCapcodeRoundTripsInEverySlot)
{
    const std::uint32_t tags[] = {0x006, 0x406, 0x206, 0x606, 0x106, 0x506, 0x306, 0x706};
    std::uint64_t failures = 0;
    std::uint32_t firstFailure = 0;
    for (std::uint32_t capcode = 0; capcode <= kMaxCapcode; ++capcode) {
        const AddressWord reference = CapcodeToAddressWord(capcode, false, 1);
        for (int slot = 1; slot <= 8; ++slot) {
            for (const bool enabled : {false, true}) {
                const AddressWord word = CapcodeToAddressWord(capcode, enabled, slot);
                const bool good = AddressWordToCapcode(word) == StoredAddress{capcode, enabled} &&
                                  (word & 0xFFFFF800u) == (reference & 0xFFFFF800u) &&
                                  (word & 0x7FFu) == (tags[slot - 1] | (enabled ? 0x80u : 0u));
                if (!good && failures++ == 0) {
                    firstFailure = capcode;
                }
            }
        }
    }
    EXPECT_EQ(failures, 0u) << "first failing capcode " << firstFailure;
}

}  // namespace
}  // namespace q9tx
