#pragma once
// The settings in which two settings values differ, with the window's words, as the
// command line's diff and the window's comparison show them.

#include "image/pager_settings.h"
#include "image/setting_table.h"

#include <string>
#include <vector>

namespace q9tx {

struct SettingDifference {
    const SettingDefinition* setting;
    std::string from;  // FormatValue of the first value
    std::string to;    // FormatValue of the second value

    // "Addresses / Address 3: 2004016 -> 2004024"
    std::string line() const { return setting->label() + ": " + from + " -> " + to; }
};

// In SettingTable() order; empty when the two are equal.
std::vector<SettingDifference> DiffSettings(const PagerSettings& from, const PagerSettings& to);

}  // namespace q9tx
