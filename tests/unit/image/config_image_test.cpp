#include "image/config_image.h"

#include <gtest/gtest.h>

namespace q9tx {
namespace {

TEST(ImageHeader, FactoryValues)
{
    struct Case {
        std::uint8_t chipByte;    // offset 8
        std::uint8_t filterByte;  // offset 11
        HeaderFactoryValues values;
    };
    const Case cases[] = {
        {0x82, 0x07 << 2, {true, 2, 7, 0}},
        {0x7F, 0xE3, {false, 0x7F, 0, 7}},
        {0x01, 0x24, {false, 1, 1, 1}},
    };
    for (const Case& c : cases) {
        ImageHeader header{};
        header[8] = c.chipByte;
        header[11] = c.filterByte;
        header[9] = header[10] = header[12] = 0xFF;  // neighbours carry nothing
        const HeaderFactoryValues values = FactoryValuesOf(header);
        EXPECT_EQ(values.bs2Option, c.values.bs2Option) << int(c.chipByte);
        EXPECT_EQ(values.pllChip, c.values.pllChip) << int(c.chipByte);
        EXPECT_EQ(values.filterStrength, c.values.filterStrength) << int(c.filterByte);
        EXPECT_EQ(values.preambleError, c.values.preambleError) << int(c.filterByte);
    }
}

}  // namespace
}  // namespace q9tx
