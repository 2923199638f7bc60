// The settings model: its table against the image layout, the start-up values, the
// editor's refusals, changing one setting, differences and the text forms of values.

#include "image/image_layout.h"
#include "image/image_validation.h"
#include "image/setting_table.h"
#include "image/setting_text.h"
#include "image/settings_conversion.h"
#include "image/settings_diff.h"
#include "image/settings_edit.h"
#include "image/settings_rules.h"
#include "image/settings_validation.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <set>
#include <string>
#include <vector>

namespace q9tx {
namespace {

std::string HexBytes(const ConfigImage& image, std::size_t offset, std::size_t count)
{
    static const char digits[] = "0123456789abcdef";
    std::string text;
    for (std::size_t i = offset; i < offset + count; ++i) {
        text += digits[image[i] >> 4];
        text += digits[image[i] & 15];
    }
    return text;
}

TEST(SettingTable, HoldsExactlyTheControlsTheImageCarries)
{
    std::set<std::string> carried;
    for (const ImageField& field : ImageLayout()) {
        if (!field.control.empty()) {
            carried.insert(field.control);
        }
    }
    // The period of a day is coded into its hour bytes, which the layout gives to the times.
    for (int day = 1; day <= kDayCount; ++day) {
        carried.insert(Member("period", day));
    }
    std::set<std::string> named;
    for (const SettingDefinition& setting : SettingTable()) {
        EXPECT_TRUE(named.insert(setting.name).second) << setting.name << " twice";
        EXPECT_FALSE(setting.page.empty() || setting.group.empty() || setting.caption.empty()) << setting.name;
        EXPECT_EQ(setting.kind == SettingKind::List, !setting.items.empty()) << setting.name;
        EXPECT_EQ(FindSetting(setting.name), &setting);
    }
    std::vector<std::string> onlyOne;
    std::set_symmetric_difference(named.begin(), named.end(), carried.begin(), carried.end(),
                                  std::back_inserter(onlyOne));
    EXPECT_TRUE(onlyOne.empty()) << ::testing::PrintToString(onlyOne);
    EXPECT_EQ(FindSetting("autoInc1"), nullptr);
    EXPECT_THROW(DefaultSettings().number("nothing"), std::out_of_range);
}

TEST(SettingTable, DefaultsAreTheStartupSettings)
{
    for (const SettingDefinition& setting : SettingTable()) {
        const std::string shown = setting.kind == SettingKind::Text ? "\"" + setting.defaultText + "\""
                                                                    : setting.defaultText;
        EXPECT_EQ(FormatValue(setting, DefaultSettings().value(setting.name)), shown) << setting.name;
        if (setting.kind == SettingKind::List) {
            const auto isItem = [&setting](const std::string& text) {
                return std::find(setting.items.begin(), setting.items.end(), text) != setting.items.end();
            };
            EXPECT_TRUE(!setting.builtText || isItem(*setting.builtText)) << setting.name;
        }
        if (setting.range) {
            EXPECT_EQ(RangeOf(setting.name), setting.range);
        }
    }
    EXPECT_EQ(FindSetting("rangeHoldTime")->range, (ValueRange{0, 255}));
    EXPECT_EQ(FindSetting("bs3")->hint, "Range: 3 - 62");
    EXPECT_EQ(FindSetting("frequency")->builtText, "");
    EXPECT_EQ(FindSetting("folderEn16")->builtText, "yes");
    EXPECT_EQ(FindSetting("folderName9")->defaultText, "Folder 09");
    for (const SettingDefinition& setting : SettingTable()) {
        EXPECT_TRUE(FindGroup(setting.group)) << setting.name;
    }
    EXPECT_EQ(FindGroup("Folders")->hint, "Folders|Public folder names, sizes and options");
}

TEST(SettingsModel, StartupSettingsGiveTheKnownImage)
{
    const ConfigImage image = EncodeSettings(DefaultSettings(), std::nullopt);
    EXPECT_EQ(HexBytes(image, 0, 4), "28ac0100");
    EXPECT_EQ(HexBytes(image, 32, 64),
              "0296ef95"
              "86c04b2186c44ba186c24b6186c64be186c14b1186c54b9186c34b5186c74bd1"
              "50011050" + std::string(44, '0') + "10fd");
    EXPECT_NO_THROW(ValidateImage(0, image));
    EXPECT_EQ(DecodeSettings(image), DefaultSettings());
}

struct ValidationCase {
    const char* label;
    std::vector<std::pair<const char*, std::int64_t>> numbers;
    std::vector<std::pair<const char*, const char*>> texts;
    std::vector<SettingProblem> problems;
};

const ValidationCase kValidationCases[] = {
    {"start-up settings", {}, {}, {}},
    {"capcode in a reserved gap", {{"address2", 2007664}}, {}, {{"address2", "Illegal capcode."}}},
    {"capcodes at the range borders", {{"address1", 8}, {"address2", 2007663}, {"address3", 2007672},
                                       {"address4", 2045055}, {"address5", 2045064}, {"address6", 2097143}},
     {}, {}},
    {"capcode below the first range", {{"address8", 7}}, {}, {{"address8", "Illegal capcode."}}},
    {"illegal capcode held twice", {{"address2", 7}, {"address3", 7}}, {},
     {{"address2", "Illegal capcode."}, {"address3", "Illegal capcode."}}},
    {"duplicate capcodes, one address out of use", {{"address2", 2004040}, {"addrEn6", 0}}, {},
     {{"address2", "The capcode has been used."}, {"address6", "The capcode has been used."}}},
    {"frequency the FS8108 cannot reach", {{"frequency", 400'000'000}}, {}, {{"frequency", "Illegal frequency."}}},
    {"the same frequency on the FS8170", {{"frequency", 400'000'000}, {"pllChip", 1}}, {}, {}},
    {"no frequency", {{"frequency", 0}}, {}, {{"frequency", "Illegal frequency."}}},
    {"passcode with a letter, pasted in the window", {{"handProg", 1}}, {{"passcode", "69a7"}},
     {{"passcode", "Please enter a number."}}},
    {"passcode with a letter, hand programming off", {}, {{"passcode", "69a7"}}, {}},
    {"passcode of two digits", {{"handProg", 1}}, {{"passcode", "12"}}, {}},
    {"finish before start", {}, {{"start2", "18:00"}, {"finish2", "09:00"}}, {{"finish2", "Illegal value."}}},
    {"finish before start over night", {{"nightShift2", 1}}, {{"start2", "18:00"}, {"finish2", "09:00"}}, {}},
    {"finish before start without the schedule", {{"useSchedule", 0}}, {{"start2", "18:00"}, {"finish2", "09:00"}},
     {}},
    {"finish minute 75", {}, {{"finish3", "18:75"}}, {{"finish3", "Illegal value."}}},
    {"start minute that cannot be shown, schedule off", {{"useSchedule", 0}}, {{"start4", "09:"}},
     {{"start4", "Illegal value."}}},
    {"unshowable time on a day that is not enabled", {{"period4", 1}}, {{"start4", "09:"}}, {}},
    {"finish minute 75 on a day enabled all day", {{"period3", 1}}, {{"finish3", "18:75"}}, {}},
    {"refused times on a disabled day", {{"period5", 0}}, {{"start5", "25:00"}, {"finish5", "12:60"}}, {}},
    {"folders filling all 256 slots",
     {{"folderEn1", 1}, {"folderSize1", 99}, {"folderEn2", 1}, {"folderSize2", 99}, {"folderEn3", 1},
      {"folderSize3", 58}},
     {}, {}},
    {"a folder starting at the slot that marks folders out of use",
     {{"folderEn1", 1}, {"folderSize1", 99}, {"folderEn2", 1}, {"folderSize2", 99}, {"folderEn3", 1},
      {"folderSize3", 57}, {"folderEn4", 1}, {"folderSize4", 1}},
     {}, {{"folderSize4", "The folders need more slots than the pager has. Make them smaller."}}},
};

TEST(SettingsValidation, RefusesWhatTheEditorRefuses)
{
    for (const ValidationCase& test : kValidationCases) {
        PagerSettings settings = DefaultSettings();
        for (const auto& [name, number] : test.numbers) {
            settings.setNumber(name, number);
        }
        for (const auto& [name, text] : test.texts) {
            settings.setText(name, text);
        }
        EXPECT_EQ(ValidateSettings(settings), test.problems) << test.label;
    }
}

TEST(SettingsValidation, ScheduleCheckSettlesDays)
{
    PagerSettings settings = DefaultSettings();
    settings.setText("start1", "10:00");
    settings.setText("finish1", "10:00");
    settings.setNumber("period2", 1);
    settings.setChecked("nightShift2", true);
    EXPECT_TRUE(ValidateSettings(settings).empty());
    EXPECT_EQ(settings.number("period1"), 0);
    EXPECT_FALSE(settings.checked("nightShift2"));
}

struct SettleCase {
    const char* label;
    ScheduleDay before;
    ScheduleDay after;
};

// period, start, finish, night shift, start refused, finish refused
const SettleCase kSettleCases[] = {
    {"enabled, finish before start", {2, "18:00", "09:00"}, {2, "18:00", "09:00", false, false, true}},
    {"the same over night", {2, "18:00", "09:00", true}, {2, "18:00", "09:00", true}},
    {"enabled, equal times", {2, "09:00", "09:00"}, {0, "09:00", "09:00"}},
    {"enabled all day, equal hidden times", {1, "10:00", "10:00"}, {0, "10:00", "10:00"}},
    {"all day loses its night shift", {1, "18:00", "09:00", true}, {1, "18:00", "09:00"}},
    {"disabled, refused times get their defaults", {0, "24:00", "25:00", false, true, true}, {0, "09:00", "18:00"}},
    {"disabled, a refused start only", {0, "24:00", "10:00", false, true}, {0, "09:00", "10:00"}},
    {"enabled, a refused finish after the start stays", {2, "09:00", "25:00", false, false, true},
     {2, "09:00", "25:00", false, false, true}},
    {"enabled, a refused start keeps its refusal", {2, "24:00", "18:00", false, true},
     {2, "24:00", "18:00", false, true, true}},
    {"finish without a time", {2, "09:00", "18:"}, {2, "09:00", "18:", false, false, true}},
};

TEST(ScheduleCheck, SettlesOneDay)
{
    for (const SettleCase& test : kSettleCases) {
        EXPECT_EQ(SettleScheduleDay(test.before), test.after) << test.label;
    }
}

FolderTicks Ticks(const char* ones)
{
    FolderTicks ticks{};
    for (std::size_t k = 0; k < ticks.size(); ++k) {
        ticks[k] = ones[k] == '1';
    }
    return ticks;
}

struct FolderCase {
    const char* label;
    const char* ticks;
    int clicked;  // 0: a storage choice was left
    bool usable;
    const char* inUse;
    const char* boxUsable;
};

const FolderCase kFolderCases[] = {
    {"unticking folder 3 of five", "1101100000000000", 3, true, "1100000000000000", "1110000000000000"},
    {"ticking folder 3 again", "1110000000000000", 3, true, "1110000000000000", "1111000000000000"},
    {"unticking folder 16", "1111111111111110", 16, true, "1111111111111110", "1111111111111111"},
    {"unticking folder 1", "0111111111111111", 1, true, "0000000000000000", "1000000000000000"},
    {"a gap loaded from an image", "0100000000000000", 2, true, "0100000000000000", "1010000000000000"},
    {"ticking folder 2 into a gap", "1111000000000000", 2, true, "1111000000000000", "1111100000000000"},
    {"storage left without public", "1111100000000000", 0, false, "0000000000000000", "0000000000000000"},
    {"storage left with public", "0110000000000000", 0, true, "0110000000000000", "1011000000000000"},
};

TEST(FolderChain, WalksLikeTheWindow)
{
    for (const FolderCase& test : kFolderCases) {
        const FolderChain chain = test.clicked == 0
                                      ? FolderChainAfterStorage(Ticks(test.ticks), test.usable)
                                      : FolderChainAfterClick(Ticks(test.ticks), test.clicked, test.usable);
        EXPECT_EQ(chain.inUse, Ticks(test.inUse)) << test.label;
        EXPECT_EQ(chain.fieldsUsable, Ticks(test.inUse)) << test.label;
        EXPECT_EQ(chain.boxUsable, Ticks(test.boxUsable)) << test.label;
    }
}

struct FolderClickCase {
    const char* ticks;
    int folder;
    bool usable;
    const char* refusal;  // null when the box can be clicked
};

const FolderClickCase kFolderClickCases[] = {
    {"0000000000000000", 1, false, "Folders are used only while an address stores publicly."},
    {"0000000000000000", 1, true, nullptr},
    {"1000000000000000", 3, true, "Folder 2 is not in use."},
    {"0100000000000000", 2, true, "Folder 1 is not in use."},
    {"1111111111111110", 16, true, nullptr},
};

TEST(FolderChain, RefusesABoxTheWindowDisables)
{
    for (const FolderClickCase& test : kFolderClickCases) {
        const std::optional<std::string> refusal = FolderClickRefusal(Ticks(test.ticks), test.folder, test.usable);
        EXPECT_EQ(refusal, test.refusal ? std::optional<std::string>(test.refusal) : std::nullopt)
            << test.ticks << " " << test.folder;
    }
}

struct EditCase {
    const char* name;
    const char* text;
    const char* refusal;  // null when taken
    const char* shown;    // FormatValue afterwards, of `name` or of `otherName`
    const char* otherName = nullptr;
};

const EditCase kEditCases[] = {
    {"address3", "2004024", "The capcode has been used.", "2004016"},
    {"address3", "2007665", "Illegal capcode.", "2004016"},
    {"address3", "12a", "Please enter a number.", "2004016"},
    {"address3", "12345678", "Address 3 takes at most 7 characters.", "2004016"},
    {"address3", "8", nullptr, "0000008"},
    {"address3", "", "Illegal capcode.", "2004016"},
    {"lcdBaseContrast", "7", "Illegal value.", "15"},
    {"lcdBaseContrast", "63", nullptr, "63"},
    {"displayHoldTime", "256", "Illegal value.", "10"},
    {"displayHoldTime", "", "Illegal value.", "10"},
    {"rangeHoldTime", "0", nullptr, "0"},
    {"folderSize2", "0", nullptr, "0"},
    {"folderSize2", "100", "Folder 2 size takes at most 2 characters.", "1"},
    {"frequency", "300", "Illegal frequency.", "457.60000"},
    {"frequency", "433.925", nullptr, "433.92500"},
    {"frequency", "433.925", nullptr, "12.5 kHz", "channelSpacing"},
    {"frequency", "457.6125", nullptr, "6.25 kHz", "channelSpacing"},
    {"frequency", "1.2.3", "Illegal frequency.", "457.60000"},
    {"start1", "23:59", nullptr, "23:59"},
    {"start1", "24:00", "Illegal value.", "09:00"},
    {"start1", " 9:00", "Illegal value.", "09:00"},
    {"start1", "09x30", "Illegal value.", "09:00"},
    {"toneA", "3c", nullptr, "3C00"},
    {"toneA", "3g", "Illegal value.", "FFFC"},
    {"banner", "Hi", nullptr, "\"Hi                  \""},
    {"banner", "\\xE9t\\\\", nullptr, "\"\\xE9t\\x5C                 \""},
    {"banner", "\\x4", "\\xNN needs two hexadecimal digits; write \\\\ for a backslash.", "\"---- Zerin Q9TX ----\""},
    {"banner", "123456789012345678901", "Banner takes at most 20 characters.", "\"---- Zerin Q9TX ----\""},
    {"passcode", "12", nullptr, "\"12\""},
    {"passcode", "12a", "Please enter a number.", "\"6947\""},
    {"baudrate", "2400 BPS", nullptr, "2400 bps"},
    {"baudrate", "0", nullptr, "512 bps"},
    {"baudrate", "3", "Baud rate is one of \"512 bps\", \"1200 bps\", \"2400 bps\".", "1200 bps"},
    {"channelSpacing", "0", "Chan. spacing follows the frequency.", "12.5 kHz"},
    {"fixedAlertMode", "Vibrate", nullptr, "no", "muteOption"},
    {"setup", "off", nullptr, "no"},
    {"setup", "maybe", "Settings is yes or no.", "yes"},
    {"folderEn1", "yes", "Folders are used only while an address stores publicly.", "no"},
    {"folderEn2", "yes", "Folder 1 is not in use.", "no"},
    {"folderEn2", "no", nullptr, "no"},
    {"muteOption", "yes", nullptr, "yes"},
    {"toneB", "ffff", nullptr, "FFFF"},
    {"toneB", "12345", "Illegal value.", "CFFC"},
    {"canned2", "", nullptr, "\"                \""},
    {"bs1", "40", nullptr, "30"},
    {"bs1", "1", nullptr, "2"},
    {"bs3", "99", nullptr, "62"},
    {"nothing", "1", "No such setting.", nullptr},
};

TEST(SettingsEdit, TakesOrRefusesLikeTheEditor)
{
    for (const EditCase& test : kEditCases) {
        PagerSettings settings = DefaultSettings();
        const PagerSettings before = settings;
        const std::optional<SettingProblem> problem = ApplySetting(settings, test.name, test.text);
        const std::string label = std::string(test.name) + "=" + test.text;
        if (test.refusal) {
            ASSERT_TRUE(problem) << label;
            EXPECT_EQ(problem->name, test.name) << label;
            EXPECT_EQ(problem->message, test.refusal) << label;
            EXPECT_EQ(settings, before) << label;
        } else {
            EXPECT_FALSE(problem) << label << ": " << problem->message;
        }
        if (test.shown) {
            const char* shownName = test.otherName ? test.otherName : test.name;
            EXPECT_EQ(FormatValue(*FindSetting(shownName), settings.value(shownName)), test.shown) << label;
        }
    }
}

TEST(SettingsEdit, FolderChainAndStorage)
{
    PagerSettings settings = DefaultSettings();
    EXPECT_FALSE(ApplySetting(settings, "storage3", "Public"));
    EXPECT_TRUE(ApplySetting(settings, "folderEn2", "yes"));
    for (const char* name : {"folderEn1", "folderEn2", "folderEn3"}) {
        EXPECT_FALSE(ApplySetting(settings, name, "yes")) << name;
    }
    EXPECT_FALSE(ApplySetting(settings, "folderEn2", "no"));
    EXPECT_TRUE(settings.checked("folderEn1"));
    EXPECT_FALSE(settings.checked("folderEn3"));
    EXPECT_FALSE(ApplySetting(settings, "storage3", "private"));
    EXPECT_FALSE(settings.checked("folderEn1"));
}

TEST(SettingsDiff, NamesEachDifferenceWithTheWindowsWords)
{
    PagerSettings changed = DefaultSettings();
    changed.setNumber("address3", 2004024);
    changed.setNumber("messageEncoding", 15);
    changed.setText("folderName1", "A\"b");
    std::vector<std::string> lines;
    for (const SettingDifference& difference : DiffSettings(DefaultSettings(), changed)) {
        lines.push_back(difference.line());
    }
    EXPECT_EQ(lines, (std::vector<std::string>{
                         "Addresses / Address 3: 2004016 -> 2004024",
                         "Messages / Transmitted text encoding: English (UK) -> (value 15)",
                         "Folders / Folder 1 title: \"Folder 01\" -> \"A\\x22b\"",
                     }));
    EXPECT_TRUE(DiffSettings(changed, changed).empty());
}

}  // namespace
}  // namespace q9tx
