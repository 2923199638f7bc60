#pragma once
// The pager's settings as values, without widgets: one value for each setting of
// SettingTable(), found by the control's name. Check boxes, list positions, numbers,
// capcodes, hertz and tone patterns are numbers; texts and schedule times are texts.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace q9tx {

struct SettingValue {
    std::int64_t number = 0;
    std::string text;
    friend bool operator==(const SettingValue&, const SettingValue&) = default;
};

class PagerSettings {
public:
    // Every setting at zero or empty; see DefaultSettings() for the editor's start-up values.
    PagerSettings();

    // These throw std::out_of_range for a name that is no setting.
    std::int64_t number(std::string_view name) const;
    bool checked(std::string_view name) const { return number(name) != 0; }
    const std::string& text(std::string_view name) const;
    const SettingValue& value(std::string_view name) const;
    void setNumber(std::string_view name, std::int64_t number);
    void setChecked(std::string_view name, bool checked) { setNumber(name, checked ? 1 : 0); }
    void setText(std::string_view name, std::string text);

    // In SettingTable() order.
    const std::vector<SettingValue>& values() const { return values_; }

    friend bool operator==(const PagerSettings&, const PagerSettings&) = default;

private:
    std::vector<SettingValue> values_;
};

// The settings the editor holds after start-up, before anything was read or loaded.
PagerSettings DefaultSettings();

// "address3", "format2B", "urgent5D": a family's member by number (and letter).
std::string Member(std::string_view family, int number, std::string_view suffix = {});

}  // namespace q9tx
