#include "image/setting_table.h"

#include "image/config_image.h"
#include "image/item_lists.h"

#include <algorithm>
#include <stdexcept>
#include <unordered_map>

namespace q9tx {

namespace {

constexpr std::string_view kFunctionLetters = "ABCD";
constexpr std::string_view kDayNames[kDayCount] = {"Monday", "Tuesday", "Wednesday", "Thursday",
                                                   "Friday", "Saturday", "Sunday"};
constexpr std::string_view kToneNames[kToneCount] = {"toneA", "toneB", "toneC", "toneD",
                                                     "tonePowerOn", "toneUrgent", "toneWarning"};
constexpr std::string_view kToneCaptions[kToneCount] = {"Tone A", "Tone B", "Tone C", "Tone D",
                                                        "Power on", "Urgent", "Warning"};
constexpr std::string_view kToneDefaults[kToneCount] = {"FFFC", "CFFC", "CCC0", "CCCC", "A000", "D1B1", "8000"};

constexpr SettingGroup kGroups[] = {
    {"Addresses", "addresses", "Addresses|Receiving channels"},
    {"Urgent call targets", "urgent", "Urgent call targets|Destinations for urgent call"},
    {"Schedule", "timetable", "Schedule|Schedule options"},
    {"Messages", "messages", "Messages|Message options"},
    {"Folders", "folders", "Folders|Public folder names, sizes and options"},
    {"General", "misc", "General|General"},
    {"Alerts", "alerts", "Alerts|Alert duration, style and beep patterns"},
    {"Decoder", "decoder", "Decoder|Decoder settings"},
    {"RF", "rf", "RF|RF settings"},
    {"Menus", "menus", "Menus|Options for user to access"},
    {"Factory", "factory", ""},
};

constexpr int kFirstCapcode = 2004000;
constexpr int kCapcodeStep = 8;

// A check box's or list's start, and the page's own where start-up changes it.
struct Start {
    bool ticked;
    std::optional<bool> built = std::nullopt;
};
struct Text {
    std::string shown;
    std::optional<std::string> built = std::nullopt;
};

std::string YesNo(bool ticked) { return ticked ? "yes" : "no"; }

class TableBuilder {
public:
    explicit TableBuilder(std::vector<SettingDefinition>& table) : table_(table) {}

    void in(std::string page, std::string group)
    {
        page_ = std::move(page);
        group_ = std::move(group);
    }
    void check(std::string name, std::string caption, Start start)
    {
        add(std::move(name), SettingKind::Check, std::move(caption), {}, 0,
            {YesNo(start.ticked), start.built ? std::optional<std::string>(YesNo(*start.built)) : std::nullopt});
    }
    void list(std::string name, std::string caption, std::span<const std::string_view> items, Text start)
    {
        add(std::move(name), SettingKind::List, std::move(caption), items, 0, std::move(start));
    }
    void number(std::string name, std::string caption, std::size_t maxLength, Text start,
                std::optional<ValueRange> range = std::nullopt)
    {
        add(std::move(name), SettingKind::Number, std::move(caption), {}, maxLength, std::move(start));
        table_.back().range = range;
    }
    void text(std::string name, std::string caption, std::size_t maxLength, Text start = {})
    {
        add(std::move(name), SettingKind::Text, std::move(caption), {}, maxLength, std::move(start));
    }
    void digits(std::string name, std::string caption, std::size_t maxLength, Text start)
    {
        text(std::move(name), std::move(caption), maxLength, std::move(start));
        table_.back().digitsOnly = true;
    }
    void add(std::string name, SettingKind kind, std::string caption, std::span<const std::string_view> items,
             std::size_t maxLength, Text start)
    {
        SettingDefinition setting{std::move(name), kind, page_, group_, std::move(caption), items, maxLength};
        setting.defaultText = std::move(start.shown);
        setting.builtText = std::move(start.built);
        table_.push_back(std::move(setting));
    }
    void hint(std::string text) { table_.back().hint = std::move(text); }

private:
    std::vector<SettingDefinition>& table_;
    std::string page_;
    std::string group_;
};

std::string Number(int n) { return std::to_string(n); }

void AddAddressesPage(TableBuilder& b)
{
    b.in("Addresses", "Addresses");
    for (int n = 1; n <= kSlotCount; ++n) {
        const std::string address = "Address " + Number(n);
        b.check("addrEn" + Number(n), address + " in use", {true});
        b.add("address" + Number(n), SettingKind::Capcode, address, {}, 7,
              {Number(kFirstCapcode + kCapcodeStep * (n - 1))});
        if (n <= kSlotsWithStorage) {
            b.list("storage" + Number(n), address + " storage", kStorageItems, {"Private"});
        }
        for (const char letter : kFunctionLetters) {
            b.list("format" + Number(n) + letter, address + " format " + letter, kFormatItems, {"Alphanum"});
        }
    }
    b.in("Addresses", "Urgent call targets");
    for (int n = 1; n <= kSlotCount; ++n) {
        for (const char letter : kFunctionLetters) {
            b.check("urgent" + Number(n) + letter, Number(n) + letter, {false});
        }
    }
}

void AddSchedulePage(TableBuilder& b)
{
    b.in("Schedule", "Schedule");
    b.check("useSchedule", "Use schedule", {true, false});
    for (int day = 1; day <= kDayCount; ++day) {
        const std::string name(kDayNames[day - 1]);
        b.list("period" + Number(day), name, kPeriodItems, {"Enabled"});
        b.add("start" + Number(day), SettingKind::Time, name + " start", {}, 5, {"09:00"});
        b.add("finish" + Number(day), SettingKind::Time, name + " finish", {}, 5, {"18:00"});
        b.check("nightShift" + Number(day), name + " night shift", {false});
    }
}

void AddMessagesPage(TableBuilder& b)
{
    b.in("Messages", "Messages");
    b.list("messageHoldTime", "Message hold time", kHoldTimeItems, {"32 sec"});
    b.list("messageEncoding", "Transmitted text encoding", kMessageEncodingItems, {"English (UK)"});
    b.list("repeatedFilter", "Repeat call check", kRepeatedFilterItems, {"CT independent"});
    b.list("repeatedRejectionTime", "Duplicated message rejection", kRepeatedRejectionTimeItems, {"Disabled"});
    b.list("unreadReminder", "Unread reminder duration", kUnreadReminderItems, {"Disabled"});
    b.list("numReminders", "Unread reminder repeating", kNumRemindersItems, {"Indefinitly"});
    b.check("messageOps", "Message operations menu", {true, false});
    b.check("keepUnreadWhenDeletingAll", "Erase all includes unread messages", {false});
    b.check("cannedMessages", "Subsitute tone-only with canned messages", {false});
    for (int n = 1; n <= kCannedCount; ++n) {
        b.text("canned" + Number(n), std::string("Canned message ") + kFunctionLetters[n - 1], kCannedSize);
    }
    b.in("Messages", "Folders");
    b.check("ignorePublicMessages", "Ignore incoming public messages", {false});
    b.check("hideMessageNumber", "Hide message numbers", {false});
    b.list("continuousMode", "Folder mode", kContinuousModeItems, {"Continuous"});
    for (int k = 1; k <= kFolderCount; ++k) {
        const std::string folder = "Folder " + Number(k);
        // Ticked as built; start-up finds no public storage and unticks the chain.
        b.check("folderEn" + Number(k), folder + " in use", {false, true});
        b.text("folderName" + Number(k), folder + " title", kFolderNameSize, {(k < 10 ? "Folder 0" : "Folder ") + Number(k)});
        b.number("folderSize" + Number(k), folder + " size", 2, {"1"});
    }
}

void AddGeneralPage(TableBuilder& b)
{
    b.in("General", "General");
    b.text("serialNum", "Serial num", 8, {"00000000"});
    b.text("banner", "Banner", 20, {"---- Zerin Q9TX ----"});
    b.number("displayHoldTime", "Display hold time", 3, {"10", "0"}, ValueRange{0, 255});
    b.number("lcdBaseContrast", "LCD base contrast", 2, {"15", "8"}, ValueRange{8, 63});
    b.list("menuLanguage", "Menu language", kMenuLanguageItems, {"English"});
    b.list("dateFormat", "Date format", kDateFormatItems, {"DD/MM/YY"});
    b.list("timeFormat", "Time format", kTimeFormatItems, {"12-hour"});
    b.number("rangeHoldTime", "Range hold time", 3, {"30", "0"}, ValueRange{0, 255});
    b.hint("1-255 sec, 0=always on");
    b.check("handProg", "Hand programming", {false});
    b.digits("passcode", "Passcode", 4, {"6947"});

    b.in("General", "Alerts");
    b.list("alertDuration", "Duration", kHoldTimeItems, {"16 sec"});
    b.list("fixedAlertMode", "Fixed mode", kFixedAlertModeItems, {"Let user choose"});
    b.check("muteOption", "Allow muting", {false});
    b.check("escalatingAlerts", "Escalating alerts", {false});
    b.check("flashingAlerts", "Flashes during alerts", {false});
    b.check("lowBattAlertDelay", "Low battery alert delay (16 sec)", {false});
    b.check("nightMode", "Warning alerts during bed time", {false});
    b.hint("Silence period: 9:00 pm to 6:00 am");
    for (int tone = 0; tone < kToneCount; ++tone) {
        b.add(std::string(kToneNames[tone]), SettingKind::Tone, std::string(kToneCaptions[tone]), {}, 4,
              {std::string(kToneDefaults[tone])});
    }

    b.in("General", "Decoder");
    b.list("baudrate", "Baud rate", kBaudrateItems, {"1200 bps"});
    b.list("polarity", "Polarity", kPolarityItems, {"Normal"});

    b.in("General", "RF");
    // Start-up chooses the FS8108 and checks "457.6000", which fills it to nine characters.
    b.list("pllChip", "PLL chip", kPllChipItems, {"FS8108", "None"});
    b.add("frequency", SettingKind::Frequency, "Frequency", {}, 9, {"457.60000", ""});
    b.list("channelSpacing", "Chan. spacing", kChannelSpacingItems, {"12.5 kHz"});

    b.in("General", "Menus");
    b.check("setup", "Settings", {true, false});
    b.check("schedule", "Schedule", {true, false});
    b.check("textSize", "Text size", {true, false});
    b.check("powerOff", "Power off", {true, false});
}

// The hidden factory panel: set from the pager's header when writing.
void AddFactoryPanel(TableBuilder& b)
{
    b.in("Factory", "Factory");
    b.number("bs1", "BS1", 2, {"30", ""}, ValueRange{2, 61});
    b.hint("Range: 2 - 61");
    b.number("bs3", "BS3", 2, {"31", ""}, ValueRange{3, 62});
    b.hint("Range: 3 - 62");
    b.list("filterStrength", "Filter strength", kFilterStrengthItems, {"FS2"});
    b.list("preambleError", "Preamble error", kPreambleErrorItems, {"2 CNT"});
    b.check("bs2Option", "BS2 Option", {false});
}

std::vector<SettingDefinition> BuildTable()
{
    std::vector<SettingDefinition> table;
    TableBuilder b(table);
    AddAddressesPage(b);
    AddSchedulePage(b);
    AddMessagesPage(b);
    AddGeneralPage(b);
    AddFactoryPanel(b);
    return table;
}

const std::unordered_map<std::string_view, std::size_t>& IndexByName()
{
    static const std::unordered_map<std::string_view, std::size_t> index = [] {
        std::unordered_map<std::string_view, std::size_t> byName;
        const std::vector<SettingDefinition>& table = SettingTable();
        for (std::size_t i = 0; i < table.size(); ++i) {
            byName.emplace(table[i].name, i);
        }
        return byName;
    }();
    return index;
}

}  // namespace

std::span<const SettingGroup> SettingGroups() { return kGroups; }

const SettingGroup* FindGroup(std::string_view caption)
{
    const auto* found = std::find_if(std::begin(kGroups), std::end(kGroups),
                                     [caption](const SettingGroup& group) { return group.caption == caption; });
    return found == std::end(kGroups) ? nullptr : found;
}

const std::vector<SettingDefinition>& SettingTable()
{
    static const std::vector<SettingDefinition> table = BuildTable();
    return table;
}

const SettingDefinition* FindSetting(std::string_view name)
{
    const auto found = IndexByName().find(name);
    return found == IndexByName().end() ? nullptr : &SettingTable()[found->second];
}

std::size_t SettingIndex(std::string_view name)
{
    const auto found = IndexByName().find(name);
    if (found == IndexByName().end()) {
        throw std::out_of_range("no setting named '" + std::string(name) + "'");
    }
    return found->second;
}

}  // namespace q9tx
