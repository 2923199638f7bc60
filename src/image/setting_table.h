#pragma once
// Every setting the configuration image carries, as the editor knows it: the control's
// name, what kind of value it holds, the words the window shows for it (page, group,
// caption, the items of a list, the hint), its limits and the value it starts with. The
// command line and the window use the same words.

#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace q9tx {

enum class SettingKind {
    Check,      // check box: 1 ticked, 0 not
    List,       // drop-down: the item position, which may lie beyond the items
    Number,     // numeric edit
    Capcode,    // receiving address
    Frequency,  // receive frequency in hertz; 0 when the image holds none
    Tone,       // 16-bit beep pattern, shown as four hexadecimal digits
    Text,       // 8-bit characters as stored
    Time,       // "hh:nn" text of a schedule time
};

// The values a numeric field takes.
struct ValueRange {
    int minimum;
    int maximum;
    friend bool operator==(const ValueRange&, const ValueRange&) = default;
};

struct SettingDefinition {
    std::string name;     // the control's object name
    SettingKind kind;
    std::string page;     // the tab that shows it
    std::string group;    // the group box, or the page for a control directly on it
    std::string caption;  // what the window calls it
    std::span<const std::string_view> items = {};  // List: the drop-down's items
    std::size_t maxLength = 0;                     // Text, Number, Capcode: the typing limit
    bool digitsOnly = false;                       // Text: a code of digits, kept as typed
    // Number: the values it takes. A value outside is refused with "Illegal value.",
    // except for BS1 and BS3, which are held inside it.
    std::optional<ValueRange> range = {};
    // What the control shows once the window has started, in the window's words: the text
    // of an edit (the frequency with "." for the locale's separator), the item of a list,
    // "yes" or "no" for a check box.
    std::string defaultText = {};
    // What the page builds the control with, where the window's start-up then changes it.
    std::optional<std::string> builtText = {};
    std::string hint = {};  // "short|long", or the long part alone, as the status bar shows it

    // "Group / Caption", as a diff line starts.
    std::string label() const { return group + " / " + caption; }
};

// A group box of settings (the factory panel is one too): the caption that
// SettingDefinition::group holds, its object name and its hint.
struct SettingGroup {
    std::string_view caption;
    std::string_view name;
    std::string_view hint;
};
std::span<const SettingGroup> SettingGroups();
// Null when no group has the caption.
const SettingGroup* FindGroup(std::string_view caption);

// All settings in the window's order: pages, then groups, then rows.
const std::vector<SettingDefinition>& SettingTable();

// Null when no setting has the name.
const SettingDefinition* FindSetting(std::string_view name);

// The position of the named setting in SettingTable(); throws std::out_of_range for an
// unknown name.
std::size_t SettingIndex(std::string_view name);

}  // namespace q9tx
