// Folder sizes against the slot ranges the image can hold: the check refuses exactly the
// folders that would not come back from the image as they were saved.

#include "image/config_image.h"
#include "image/folder_slots.h"
#include "image/settings_conversion.h"

#include <gtest/gtest.h>

#include <array>
#include <random>
#include <string>
#include <vector>

namespace q9tx {
namespace {

constexpr const char* kTooMany = "The folders need more slots than the pager has. Make them smaller.";
constexpr const char* kEmptyFirst = "This folder needs at least one slot.";

struct SlotsCase {
    const char* label;
    std::vector<FolderUse> folders;
    std::optional<FolderSlotsProblem> problem;
};

FolderUse On(std::int64_t size) { return {true, size}; }
const FolderUse kOff{false, 1};

const SlotsCase kSlotsCases[] = {
    {"three folders, one of them empty", {On(5), On(1), On(0)}, std::nullopt},
    {"every slot taken", {On(99), On(99), On(58)}, std::nullopt},
    {"one slot too many", {On(99), On(99), On(59)}, FolderSlotsProblem{3, kTooMany}},
    {"a folder would start at slot 255", {On(99), On(99), On(57), On(1)}, FolderSlotsProblem{4, kTooMany}},
    {"an empty folder at slot 255", {On(99), On(99), On(57), On(0)}, FolderSlotsProblem{4, kTooMany}},
    {"the first folder empty", {On(0), On(4)}, FolderSlotsProblem{1, kEmptyFirst}},
    {"the first folder out of use: the next starts at slot 1", {kOff, On(99), On(99), On(57)}, std::nullopt},
    {"the first folder out of use, slot 255 reached", {kOff, On(99), On(99), On(56), On(0)},
     FolderSlotsProblem{5, kTooMany}},
    {"folders out of use take no slots", {On(99), kOff, On(99), kOff, On(58)}, std::nullopt},
    {"a size that is no number ends the check", {On(99), {true, std::nullopt}, On(99), On(99)}, std::nullopt},
    {"a negative size read from a pager that still fits", {On(10), On(-5)}, std::nullopt},
    {"a negative size that would end before slot 0", {On(-5)}, FolderSlotsProblem{1, kEmptyFirst}},
    {"no folder in use", {kOff, kOff}, std::nullopt},
};

TEST(FolderSlots, RefusesTheFirstFolderThatDoesNotFit)
{
    for (const SlotsCase& test : kSlotsCases) {
        EXPECT_EQ(CheckFolderSlots(test.folders), test.problem) << test.label;
    }
}

// The folders in use, as the image holds them, come back with their sizes and take slots
// upwards from the start without running past the last slot and round again.
bool ImageKeepsFolders(const PagerSettings& settings)
{
    const ConfigImage image = EncodeSettings(settings, std::nullopt);
    const PagerSettings back = DecodeSettings(image);
    int nextFirst = settings.checked("folderEn1") ? 0 : 1;
    for (int k = 1; k <= kFolderCount; ++k) {
        const std::string inUse = Member("folderEn", k);
        if (back.checked(inUse) != settings.checked(inUse))
            return false;
        if (!settings.checked(inUse))
            continue;
        const std::string size = Member("folderSize", k);
        const std::size_t at = FolderRangeOffset(k);
        if (back.number(size) != settings.number(size) || image[at] != nextFirst)
            return false;
        nextFirst = image[at + 1] + 1;
    }
    return true;
}

// Whatever the sizes, the check lets through exactly the folders an image keeps.
TEST(FolderSlots, AgreesWithTheImage)
{
    std::mt19937 random(20261208);
    std::uniform_int_distribution<int> size(0, 99);
    std::uniform_int_distribution<int> inUseCount(0, kFolderCount);
    int refused = 0;
    for (int round = 0; round < 20000; ++round) {
        PagerSettings settings = DefaultSettings();
        std::array<FolderUse, kFolderCount> folders{};
        const int count = inUseCount(random);
        // Now and then an image from elsewhere with folder 1 out of use.
        const bool gap = round % 7 == 0;
        for (int k = 1; k <= kFolderCount; ++k) {
            const bool inUse = k <= count && !(gap && k == 1);
            folders[k - 1] = {inUse, size(random)};
            settings.setChecked(Member("folderEn", k), inUse);
            settings.setNumber(Member("folderSize", k), *folders[k - 1].size);
        }
        settings.setNumber("storage1", 1);  // public storage keeps the folders in use
        const bool accepted = !CheckFolderSlots(folders);
        EXPECT_EQ(accepted, ImageKeepsFolders(settings)) << "round " << round;
        refused += !accepted;
    }
    // Both outcomes must have been tried for the comparison to mean anything.
    EXPECT_GT(refused, 1000);
    EXPECT_LT(refused, 19000);
}

}  // namespace
}  // namespace q9tx
