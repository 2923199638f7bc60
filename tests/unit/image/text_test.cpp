#include "image/printable_text.h"
#include "image/status_error.h"
#include "image/text_conversion.h"
#include "image/text_field.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

namespace q9tx {
namespace {

TEST(HexDigitValue, BothCasesAndNothingElse)
{
    struct Case {
        char digit;
        int value;
    };
    const Case cases[] = {{'0', 0}, {'9', 9}, {'A', 10}, {'F', 15}, {'a', 10}, {'f', 15},
                          {'G', -1}, {'g', -1}, {'/', -1}, {':', -1}, {'@', -1}, {'`', -1},
                          {' ', -1}, {'\0', -1}, {'\xC1', -1}};
    for (const Case& c : cases) {
        EXPECT_EQ(HexDigitValue(c.digit), c.value) << static_cast<int>(c.digit);
    }
}

TEST(ToneText, BothDirections)
{
    for (const std::uint16_t value : {0xFFFC, 0xD1B1, 0x0000, 0x0A0F}) {
        EXPECT_EQ(TextToTone(ToneToText(value)), value);
    }
    EXPECT_EQ(ToneToText(0x0A0F), "0A0F");
    EXPECT_EQ(TextToTone(""), 0);
    EXPECT_EQ(TextToTone("F"), 0x000F);
    EXPECT_EQ(TextToTone("d1b1"), 0xD1B1);
    for (const char* text : {"G000", "12 4", "FFFFF"}) {
        EXPECT_THROW(TextToTone(text), ConversionError) << text;
    }
}

TEST(TimeText, HourAndMinute)
{
    struct Case {
        const char* text;
        int hour;
        int minute;
    };
    const Case cases[] = {{"09:00", 9, 0}, {"23:59", 23, 59}, {"25:61", 25, 61}, {" 9:30", 9, 30}};
    for (const Case& c : cases) {
        EXPECT_EQ(TimeTextHour(c.text), c.hour) << c.text;
        EXPECT_EQ(TimeTextMinute(c.text), c.minute) << c.text;
    }
    EXPECT_THROW(TimeTextHour("a9:00"), ConversionError);
    EXPECT_THROW(TimeTextMinute("09:0"), ConversionError);
}

// What a terminal would act on is shown as \xNN; readable text of any script stays.
TEST(PrintableText, EscapesWhatATerminalWouldActOn)
{
    const struct {
        const char* given;
        const char* shown;
    } cases[] = {
        {"banner", "banner"},
        {"\x1B[2J", "\\x1B[2J"},
        {"a\tb\nc\x7F", "a\\x09b\\x0Ac\\x7F"},
        {"caf\xC3\xA9 \xE2\x82\xAC", "caf\xC3\xA9 \xE2\x82\xAC"},
        {"\xC2\x9B" "31m", "\\x9B" "31m"},          // C1 control sequence introducer
        {"\xFF\xFE.bin", "\\xFF\\xFE.bin"},       // no UTF-8 at all
        {"\xC0\xAF", "\\xC0\\xAF"},               // overlong '/'
        {"\xED\xA0\x80", "\\xED\\xA0\\x80"},     // surrogate
        {"\xE2\x82", "\\xE2\\x82"},               // cut short at the end
    };
    for (const auto& c : cases)
        EXPECT_EQ(PrintableText(c.given), c.shown) << c.given;
    EXPECT_EQ(PrintableLatin1("Caf\xE9\x1B\x9B"), "Caf\xC3\xA9\\x1B\\x9B");
}

TEST(TextField, WritesTerminatorAndZerosUpToTheWidth)
{
    struct Case {
        const char* text;
        std::size_t width;
        std::string field;  // the field's bytes and the byte behind it
    };
    const Case cases[] = {
        {"Folder 01", 9, std::string("Folder 01") + '\xEE'},
        {"Fold", 9, std::string("Fold\0\0\0\0\0", 9) + '\xEE'},
        {"Folder 012", 9, std::string("Folder 01") + '\xEE'},
        {"\xE9t\xE9", 4, std::string("\xE9t\xE9\0", 4) + '\xEE'},
    };
    for (const Case& c : cases) {
        ConfigImage image;
        image.fill(0xEE);
        WriteTextField(image, 136, c.width, c.text);
        EXPECT_EQ(std::string(image.begin() + 136, image.begin() + 136 + c.width + 1), c.field) << c.text;
        EXPECT_EQ(ReadTextField(image, 136, c.width), c.field.substr(0, c.field.find('\0')).substr(0, c.width));
    }
    ConfigImage image{};
    EXPECT_THROW(WriteTextField(image, 508, 5, "abc"), std::out_of_range);
    EXPECT_THROW(ReadTextField(image, std::size_t(-1), 2), std::out_of_range);
}

}  // namespace
}  // namespace q9tx
