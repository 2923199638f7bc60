#include "link/serial_port_catalog.h"

#include <algorithm>
#include <fstream>
#include <tuple>

#include "link/adapter_port_list.h"
#include "link/sysfs_tty_scan.h"

namespace q9tx {
namespace {

namespace fs = std::filesystem;

// The 8250 driver registers ttyS0 to ttyS31 below its platform device whether or not a
// port is there; a real built-in port belongs to a PNP, ACPI or PCI device.
constexpr std::string_view kDeviceFolder = "/dev/";
constexpr std::string_view kPlaceholderDevice = "serial8250";
// Newer kernels put a controller and a port device of the serial core between the tty
// and the hardware; their drivers say nothing about the cable.
constexpr std::string_view kSerialCoreDrivers[] = {"port", "ctrl"};

bool IsPlaceholder(const fs::path& device)
{
    return std::any_of(device.begin(), device.end(), [](const fs::path& part) { return part == kPlaceholderDevice; });
}

// The driver of the hardware the tty belongs to.
std::string DriverOf(fs::path device)
{
    for (int level = 0; level < 3 && device.has_relative_path(); ++level, device = device.parent_path()) {
        std::error_code error;
        const std::string driver = fs::read_symlink(device / "driver", error).filename().string();
        const bool serialCore = std::find(std::begin(kSerialCoreDrivers), std::end(kSerialCoreDrivers), driver) !=
                                std::end(kSerialCoreDrivers);
        if (!error && !serialCore)
            return driver;
    }
    return {};
}

std::string ReadLine(const fs::path& file)
{
    std::ifstream in(file);
    std::string line;
    std::getline(in, line);
    while (!line.empty() && (line.back() == ' ' || line.back() == '\r'))
        line.pop_back();
    return line;
}

void ReadUsbWords(const fs::path& device, const fs::path& root, SerialPortEntry& entry)
{
    std::error_code error;
    for (fs::path at = device; at != root && at.has_relative_path(); at = at.parent_path()) {
        if (fs::exists(at / "idVendor", error)) {
            entry.vendor = ReadLine(at / "manufacturer");
            entry.model = ReadLine(at / "product");
            entry.serial = ReadLine(at / "serial");
            return;
        }
    }
}

// Adapters first, then USB ports, then the others; by name within each.
auto SortKey(const SerialPortEntry& entry)
{
    return std::make_tuple(!entry.adapter, entry.vendor.empty() && entry.model.empty());
}

}  // namespace

std::vector<SerialPortEntry> WithNamedPorts(const std::vector<std::string>& named,
                                            std::vector<SerialPortEntry> listed)
{
    std::vector<SerialPortEntry> ports;
    for (const std::string& name : named) {
        // "/dev/ttyS0" is the ttyS0 the list names; a deeper path stays whole.
        const bool inDeviceFolder = name.rfind(kDeviceFolder, 0) == 0 &&
                                    name.find('/', kDeviceFolder.size()) == std::string::npos;
        const std::string bare = inDeviceFolder ? name.substr(kDeviceFolder.size()) : name;
        const auto same = [&](const SerialPortEntry& entry) { return EqualIgnoringCase(entry.name, bare); };
        if (std::any_of(ports.begin(), ports.end(), same))
            continue;
        const auto found = std::find_if(listed.begin(), listed.end(), same);
        if (found == listed.end()) {
            SerialPortEntry entry;
            entry.name = bare;
            ports.push_back(std::move(entry));
        } else {
            ports.push_back(std::move(*found));
            listed.erase(found);
        }
    }
    ports.insert(ports.end(), std::make_move_iterator(listed.begin()), std::make_move_iterator(listed.end()));
    return ports;
}

std::string SerialPortEntry::label() const
{
    std::string words;
    const auto add = [&](const std::string& word) {
        if (word.empty())
            return;
        words += (words.empty() ? "" : ", ") + word;
    };
    add(vendor.empty() || model.empty() ? vendor + model : vendor + " " + model);
    add(serial.empty() ? std::string() : "SN " + serial);
    add(driver);
    const std::string path = !name.empty() && name.front() == '/' ? name : std::string(kDeviceFolder) + name;
    return words.empty() ? path : words + " (" + path + ")";
}

std::vector<SerialPortEntry> ListSerialPorts(const fs::path& sysfsRoot)
{
    std::vector<SerialPortEntry> ports;
    std::error_code error;
    const fs::path root = fs::canonical(sysfsRoot, error);
    if (error)
        return ports;
    const std::vector<std::string> adapters = FindAdapterTtys(sysfsRoot);
    for (fs::directory_iterator it(root / "class" / "tty", error), end; !error && it != end; it.increment(error)) {
        std::error_code entryError;
        const fs::path device = fs::canonical(it->path() / "device", entryError);
        if (entryError || IsPlaceholder(device))
            continue;
        SerialPortEntry entry;
        entry.name = it->path().filename().string();
        entry.driver = DriverOf(device);
        ReadUsbWords(device, root, entry);
        entry.adapter = std::any_of(adapters.begin(), adapters.end(),
                                    [&](const std::string& name) { return name == entry.name; });
        ports.push_back(std::move(entry));
    }
    std::sort(ports.begin(), ports.end(), [](const SerialPortEntry& a, const SerialPortEntry& b) {
        if (SortKey(a) != SortKey(b))
            return SortKey(a) < SortKey(b);
        return LessIgnoringCase(a.name, b.name);
    });
    return ports;
}

}  // namespace q9tx
