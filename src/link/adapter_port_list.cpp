#include "link/adapter_port_list.h"

#include <algorithm>
#include <cctype>

namespace q9tx {
namespace {

unsigned char Lower(char c)
{
    return static_cast<unsigned char>(std::tolower(static_cast<unsigned char>(c)));
}

}  // namespace

bool EqualIgnoringCase(std::string_view a, std::string_view b)
{
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) { return Lower(x) == Lower(y); });
}

bool LessIgnoringCase(std::string_view a, std::string_view b)
{
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(),
                                        [](char x, char y) { return Lower(x) < Lower(y); });
}

bool AdapterPortList::Add(const std::string& name)
{
    const auto place = std::lower_bound(names_.begin(), names_.end(), name, LessIgnoringCase);
    if (place != names_.end() && EqualIgnoringCase(*place, name))
        return false;
    names_.insert(place, name);
    return true;
}

bool AdapterPortList::Contains(std::string_view name) const
{
    const auto place = std::lower_bound(names_.begin(), names_.end(), name, LessIgnoringCase);
    return place != names_.end() && EqualIgnoringCase(*place, name);
}

}  // namespace q9tx
