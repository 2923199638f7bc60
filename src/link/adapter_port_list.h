#pragma once
// Port names kept sorted and compared without regard to case, each name once.
// Sorting is by text, so COM10 comes before COM3.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace q9tx {

bool EqualIgnoringCase(std::string_view a, std::string_view b);
bool LessIgnoringCase(std::string_view a, std::string_view b);

class AdapterPortList {
public:
    // False when the name (in any case) is already listed.
    bool Add(const std::string& name);
    void Clear() { names_.clear(); }
    std::size_t Count() const { return names_.size(); }
    const std::string& At(std::size_t index) const { return names_[index]; }
    bool Contains(std::string_view name) const;

private:
    std::vector<std::string> names_;
};

}  // namespace q9tx
