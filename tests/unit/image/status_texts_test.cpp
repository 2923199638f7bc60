// The one table of numbered status texts that the window, the transfers and the
// command line all show: each number keeps its exact words, and a number outside the
// table gives no text rather than a neighbour's.

#include "image/status_texts.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace q9tx {
namespace {

struct Expected {
    int number;
    const char* text;
};

TEST(StatusTexts, EveryNumberKeepsItsWords)
{
    const Expected cases[] = {
        {1100, "Pager connected."},
        {1101, "Pager disconnected."},
        {1102, "Pager firmware too new. Please obtain a new version of this software."},
        {1103, "Pager unsupported."},
        {1200, "Loading..."},
        {1201, "Loaded data from %s."},
        {1202, "Saving..."},
        {1203, "Saved data to %s."},
        {1204, "Reading..."},
        {1205, "Writing..."},
        {1206, "Verifying..."},
        {1207, "Read completed."},
        {1208, "Cannot read. Please try again."},
        {1209, "Write completed."},
        {1210, "Cannot write. Please try again."},
        {1300, "File could not be read."},
        {1301, "File corrupted."},
        {1302, "File could not be written."},
        {1400, "Out of memory."},
        {1401, "The content doesn't match the pager firmware."},
        {1403, "The content is corrupted."},
        {1500, "The capcode has been used."},
        {1501, "Illegal capcode."},
        {1502, "Illegal value."},
        {1600, "Illegal frequency."},
        {1700, "Please enter a number."},
    };
    std::set<std::string> seen;
    for (const Expected& expected : cases) {
        EXPECT_EQ(StatusTextOf(expected.number), expected.text) << expected.number;
        EXPECT_TRUE(seen.insert(expected.text).second) << expected.number;
    }
}

TEST(StatusTexts, NamesMatchTheirNumbers)
{
    const Expected cases[] = {
        {StatusPagerDisconnected, "Pager disconnected."},
        {StatusPagerUnsupported, "Pager unsupported."},
        {StatusReading, "Reading..."},
        {StatusCannotWrite, "Cannot write. Please try again."},
        {StatusFileNotWritten, "File could not be written."},
        {StatusContentCorrupted, "The content is corrupted."},
        {StatusEnterNumber, "Please enter a number."},
    };
    for (const Expected& expected : cases) {
        EXPECT_EQ(StatusTextOf(expected.number), expected.text) << expected.number;
    }
}

TEST(StatusTexts, UnknownNumbersHaveNoText)
{
    for (const int number : {0, -1, 1099, 1104, 1211, 1303, 1402, 1503, 1601, 1701, 99999}) {
        EXPECT_TRUE(StatusTextOf(number).empty()) << number;
    }
}

}  // namespace
}  // namespace q9tx
