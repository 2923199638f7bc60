#include "link/sysfs_tty_scan.h"

#include <algorithm>
#include <fstream>

#include "link/adapter_port_list.h"
#include "link/adapter_usb_ids.h"

namespace q9tx {
namespace {

namespace fs = std::filesystem;

constexpr std::string_view kAdapterDriver = "pl2303";

std::string ReadFirstWord(const fs::path& file)
{
    std::ifstream in(file);
    std::string word;
    in >> word;
    return word;
}

bool BoundToAdapterDriver(const fs::path& ttyEntry)
{
    std::error_code error;
    const fs::path driver = fs::read_symlink(ttyEntry / "device" / "driver", error);
    return !error && driver.filename() == kAdapterDriver;
}

// The nearest ancestor with an idVendor file is the USB device the tty belongs to.
bool BelowAdapterUsbDevice(const fs::path& ttyEntry, const fs::path& root)
{
    std::error_code error;
    fs::path device = fs::canonical(ttyEntry / "device", error);
    if (error)
        return false;
    for (; device != root && device.has_relative_path(); device = device.parent_path()) {
        if (fs::exists(device / "idVendor", error)) {
            const std::string vendor = ReadFirstWord(device / "idVendor");
            const std::string product = ReadFirstWord(device / "idProduct");
            return std::any_of(std::begin(kAdapterUsbIds), std::end(kAdapterUsbIds), [&](const AdapterUsbId& id) {
                return EqualIgnoringCase(vendor, id.vendor) && EqualIgnoringCase(product, id.product);
            });
        }
    }
    return false;
}

}  // namespace

std::vector<std::string> FindAdapterTtys(const fs::path& sysfsRoot)
{
    std::vector<std::string> names;
    std::error_code error;
    const fs::path root = fs::canonical(sysfsRoot, error);
    if (error)
        return names;
    for (fs::directory_iterator entry(root / "class" / "tty", error), end; !error && entry != end;
         entry.increment(error)) {
        const fs::path& path = entry->path();
        if (BoundToAdapterDriver(path) || BelowAdapterUsbDevice(path, root))
            names.push_back(path.filename().string());
    }
    return names;
}

}  // namespace q9tx
