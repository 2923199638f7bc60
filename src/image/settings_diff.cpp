#include "image/settings_diff.h"

#include "image/setting_text.h"

namespace q9tx {

std::vector<SettingDifference> DiffSettings(const PagerSettings& from, const PagerSettings& to)
{
    std::vector<SettingDifference> differences;
    const std::vector<SettingDefinition>& table = SettingTable();
    for (std::size_t i = 0; i < table.size(); ++i) {
        const SettingValue& a = from.values()[i];
        const SettingValue& b = to.values()[i];
        if (a != b) {
            differences.push_back({&table[i], FormatValue(table[i], a), FormatValue(table[i], b)});
        }
    }
    return differences;
}

}  // namespace q9tx
