#pragma once
// Every setting the configuration image carries, as the editor knows it: the control's
// name, what kind of value it holds, and the words the window shows for it (page, group,
// caption and the items of a list). The command line and the window use the same words.

#include <cstddef>
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

struct SettingDefinition {
    std::string name;     // the control's object name
    SettingKind kind;
    std::string page;     // the tab that shows it
    std::string group;    // the group box, or the page for a control directly on it
    std::string caption;  // what the window calls it
    std::span<const std::string_view> items = {};  // List: the drop-down's items
    std::size_t maxLength = 0;                     // Text, Number, Capcode: the typing limit
    bool digitsOnly = false;                       // Text: a code of digits, kept as typed

    // "Group / Caption", as a diff line starts.
    std::string label() const { return group + " / " + caption; }
};

// All settings in the window's order: pages, then groups, then rows.
const std::vector<SettingDefinition>& SettingTable();

// Null when no setting has the name.
const SettingDefinition* FindSetting(std::string_view name);

// The position of the named setting in SettingTable(); throws std::out_of_range for an
// unknown name.
std::size_t SettingIndex(std::string_view name);

}  // namespace q9tx
