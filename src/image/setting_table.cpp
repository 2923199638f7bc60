#include "image/setting_table.h"

#include "image/config_image.h"
#include "image/item_lists.h"

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

class TableBuilder {
public:
    explicit TableBuilder(std::vector<SettingDefinition>& table) : table_(table) {}

    void in(std::string page, std::string group)
    {
        page_ = std::move(page);
        group_ = std::move(group);
    }
    void check(std::string name, std::string caption) { add(std::move(name), SettingKind::Check, std::move(caption)); }
    void list(std::string name, std::string caption, std::span<const std::string_view> items)
    {
        add(std::move(name), SettingKind::List, std::move(caption), items);
    }
    void number(std::string name, std::string caption, std::size_t maxLength)
    {
        add(std::move(name), SettingKind::Number, std::move(caption), {}, maxLength);
    }
    void text(std::string name, std::string caption, std::size_t maxLength)
    {
        add(std::move(name), SettingKind::Text, std::move(caption), {}, maxLength);
    }
    void digits(std::string name, std::string caption, std::size_t maxLength)
    {
        text(std::move(name), std::move(caption), maxLength);
        table_.back().digitsOnly = true;
    }
    void add(std::string name, SettingKind kind, std::string caption, std::span<const std::string_view> items = {},
             std::size_t maxLength = 0)
    {
        table_.push_back({std::move(name), kind, page_, group_, std::move(caption), items, maxLength});
    }

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
        b.check("addrEn" + Number(n), address + " in use");
        b.add("address" + Number(n), SettingKind::Capcode, address, {}, 7);
        if (n <= kSlotsWithStorage) {
            b.list("storage" + Number(n), address + " storage", kStorageItems);
        }
        for (const char letter : kFunctionLetters) {
            b.list("format" + Number(n) + letter, address + " format " + letter, kFormatItems);
        }
    }
    b.in("Addresses", "Urgent call targets");
    for (int n = 1; n <= kSlotCount; ++n) {
        for (const char letter : kFunctionLetters) {
            b.check("urgent" + Number(n) + letter, Number(n) + letter);
        }
    }
}

void AddSchedulePage(TableBuilder& b)
{
    b.in("Schedule", "Schedule");
    b.check("useSchedule", "Use schedule");
    for (int day = 1; day <= kDayCount; ++day) {
        const std::string name(kDayNames[day - 1]);
        b.list("period" + Number(day), name, kPeriodItems);
        b.add("start" + Number(day), SettingKind::Time, name + " start", {}, 5);
        b.add("finish" + Number(day), SettingKind::Time, name + " finish", {}, 5);
        b.check("nightShift" + Number(day), name + " night shift");
    }
}

void AddMessagesPage(TableBuilder& b)
{
    b.in("Messages", "Messages");
    b.list("messageHoldTime", "Message hold time", kHoldTimeItems);
    b.list("messageEncoding", "Transmitted text encoding", kMessageEncodingItems);
    b.list("repeatedFilter", "Repeat call check", kRepeatedFilterItems);
    b.list("repeatedRejectionTime", "Duplicated message rejection", kRepeatedRejectionTimeItems);
    b.list("unreadReminder", "Unread reminder duration", kUnreadReminderItems);
    b.list("numReminders", "Unread reminder repeating", kNumRemindersItems);
    b.check("messageOps", "Message operations menu");
    b.check("keepUnreadWhenDeletingAll", "Erase all includes unread messages");
    b.check("cannedMessages", "Subsitute tone-only with canned messages");
    for (int n = 1; n <= kCannedCount; ++n) {
        b.text("canned" + Number(n), std::string("Canned message ") + kFunctionLetters[n - 1], kCannedSize);
    }
    b.in("Messages", "Folders");
    b.check("ignorePublicMessages", "Ignore incoming public messages");
    b.check("hideMessageNumber", "Hide message numbers");
    b.list("continuousMode", "Folder mode", kContinuousModeItems);
    for (int k = 1; k <= kFolderCount; ++k) {
        const std::string folder = "Folder " + Number(k);
        b.check("folderEn" + Number(k), folder + " in use");
        b.text("folderName" + Number(k), folder + " title", kFolderNameSize);
        b.number("folderSize" + Number(k), folder + " size", 2);
    }
}

void AddGeneralPage(TableBuilder& b)
{
    b.in("General", "General");
    b.text("serialNum", "Serial num", 8);
    b.text("banner", "Banner", 20);
    b.number("displayHoldTime", "Display hold time", 3);
    b.number("lcdBaseContrast", "LCD base contrast", 2);
    b.list("menuLanguage", "Menu language", kMenuLanguageItems);
    b.list("dateFormat", "Date format", kDateFormatItems);
    b.list("timeFormat", "Time format", kTimeFormatItems);
    b.number("rangeHoldTime", "Range hold time", 3);
    b.check("handProg", "Hand programming");
    b.digits("passcode", "Passcode", 4);

    b.in("General", "Alerts");
    b.list("alertDuration", "Duration", kHoldTimeItems);
    b.list("fixedAlertMode", "Fixed mode", kFixedAlertModeItems);
    b.check("muteOption", "Allow muting");
    b.check("escalatingAlerts", "Escalating alerts");
    b.check("flashingAlerts", "Flashes during alerts");
    b.check("lowBattAlertDelay", "Low battery alert delay (16 sec)");
    b.check("nightMode", "Warning alerts during bed time");
    for (int tone = 0; tone < kToneCount; ++tone) {
        b.add(std::string(kToneNames[tone]), SettingKind::Tone, std::string(kToneCaptions[tone]), {}, 4);
    }

    b.in("General", "Decoder");
    b.list("baudrate", "Baud rate", kBaudrateItems);
    b.list("polarity", "Polarity", kPolarityItems);

    b.in("General", "RF");
    b.list("pllChip", "PLL chip", kPllChipItems);
    b.add("frequency", SettingKind::Frequency, "Frequency", {}, 9);
    b.list("channelSpacing", "Chan. spacing", kChannelSpacingItems);

    b.in("General", "Menus");
    b.check("setup", "Settings");
    b.check("schedule", "Schedule");
    b.check("textSize", "Text size");
    b.check("powerOff", "Power off");
}

// The hidden factory panel: set from the pager's header when writing.
void AddFactoryPanel(TableBuilder& b)
{
    b.in("Factory", "Factory");
    b.number("bs1", "BS1", 2);
    b.number("bs3", "BS3", 2);
    b.list("filterStrength", "Filter strength", kFilterStrengthItems);
    b.list("preambleError", "Preamble error", kPreambleErrorItems);
    b.check("bs2Option", "BS2 Option");
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
