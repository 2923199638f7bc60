#include "cli/file_advance.h"

#include "image/capcode.h"
#include "image/image_validation.h"

namespace q9tx::cli {

ConfigImage WithAdvancedAddresses(ConfigImage file, const PagerSettings& settings, const std::vector<int>& slots)
{
    for (const int slot : slots) {
        const auto capcode = static_cast<std::uint32_t>(settings.number(Member("address", slot)));
        const bool enabled = settings.checked(Member("addrEn", slot));
        WriteLe32(file, AddressWordOffset(slot), CapcodeToAddressWord(capcode, enabled, slot));
    }
    StoreCheckWord1(file);
    StoreCheckWord2(file);
    return file;
}

}  // namespace q9tx::cli
