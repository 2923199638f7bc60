#include "image/frequency_text.h"
#include "image/rf_word.h"
#include "image/status_error.h"

#include <gtest/gtest.h>

#include <string>

namespace q9tx {
namespace {

TEST(FrequencyText, ReadsMegahertzExactly)
{
    struct Case {
        const char* text;
        char separator;
        std::uint32_t hertz;
    };
    const Case cases[] = {
        {"457.6000", '.', 457'600'000}, {"457.6", '.', 457'600'000},   {"152.0125", '.', 152'012'500},
        {"457,6125", ',', 457'612'500}, {"160.", '.', 160'000'000},    {".5", '.', 500'000},
        {" 457.6 ", '.', 457'600'000},  {"0.0000019", '.', 1},         // fractions of a hertz dropped
        {"4294.967295", '.', 4'294'967'295u},
        // Too large for 32 bits: held at the largest value, which no chip accepts.
        {"4294.967296", '.', 4'294'967'295u}, {"99999999999999999999999.5", '.', 4'294'967'295u},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(FrequencyTextToHertz(c.text, c.separator), c.hertz) << c.text;
    }
    // 4,752,567,296 Hz would wrap to 457.6 MHz in 32 bits.
    RfWord word{};
    SetRfChipType(word, PllChipFs8170);
    EXPECT_FALSE(FrequencyToRfWord(FrequencyTextToHertz("4752.567296", '.'), word));
}

TEST(FrequencyText, UnreadableTextsAreReportedWithTheText)
{
    struct Case {
        const char* text;
        char separator;
    };
    const Case cases[] = {
        {"", '.'},      {" ", '.'},      {".", '.'},      {"457.6.0", '.'}, {"457.6", ','},
        {"-457.6", '.'}, {"+457.6", '.'}, {"457.6a", '.'}, {"4e2", '.'},     {"45 7.6", '.'},
    };
    for (const Case& c : cases) {
        try {
            FrequencyTextToHertz(c.text, c.separator);
            ADD_FAILURE() << "accepted '" << c.text << "'";
        } catch (const ConversionError& error) {
            EXPECT_EQ(std::string(error.what()), "'" + std::string(c.text) + "' is not a valid floating point value");
        }
    }
}

TEST(FrequencyText, WritesTheShortestForm)
{
    struct Case {
        std::uint32_t hertz;
        char separator;
        const char* text;
    };
    const Case cases[] = {
        {457'600'000, '.', "457.6"}, {160'000'000, '.', "160"},     {152'012'500, '.', "152.0125"},
        {457'612'500, ',', "457,6125"}, {1, '.', "0.000001"},       {100'000'010, '.', "100.00001"},
        {4'294'967'295u, '.', "4294.967295"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(HertzToFrequencyText(c.hertz, c.separator), c.text);
        EXPECT_EQ(FrequencyTextToHertz(c.text, c.separator), c.hertz);
    }
}

}  // namespace
}  // namespace q9tx
