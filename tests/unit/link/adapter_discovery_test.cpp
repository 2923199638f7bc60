#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <regex>

#include "link/adapter_discovery.h"
#include "link/adapter_usb_ids.h"
#include "link/sysfs_tty_scan.h"
#include "link/pager_link.h"
#include "link/serial_port_catalog.h"
#include "link_test_doubles.h"

namespace q9tx {
namespace {

namespace fs = std::filesystem;

// A sysfs tree in a temporary directory, laid out like the kernel's: class/tty/<name> links
// to the tty's directory below its serial port device, whose "device" link leads back to
// that port device, which sits in an interface of a USB device with idVendor/idProduct.
struct FakeSysfs {
    FakeSysfs()
    {
        std::string pattern = (fs::temp_directory_path() / "q9tx-sysfs-XXXXXX").string();
        root = mkdtemp(pattern.data());
        fs::create_directories(root / "class" / "tty");
    }
    ~FakeSysfs() { fs::remove_all(root); }

    // driver empty: bound to no driver; vendor empty: no USB device above the port.
    void AddTty(const std::string& name, const std::string& driver = "pl2303",
                const std::string& vendor = "067b", const std::string& product = "2303")
    {
        const fs::path usb = root / "devices" / ("usb-" + name);
        const fs::path port = usb / "1-1:1.0" / name;
        fs::create_directories(port / "tty" / name);
        if (!vendor.empty()) {
            std::ofstream(usb / "idVendor") << vendor << "\n";
            std::ofstream(usb / "idProduct") << product << "\n";
        }
        if (!driver.empty()) {
            fs::create_directories(root / "bus" / "drivers" / driver);
            fs::create_symlink(root / "bus" / "drivers" / driver, port / "driver");
        }
        fs::create_directory_symlink("../..", port / "tty" / name / "device");
        fs::create_directory_symlink(port / "tty" / name, root / "class" / "tty" / name);
    }
    void Unplug(const std::string& name)
    {
        fs::remove(root / "class" / "tty" / name);
        fs::remove_all(root / "devices" / ("usb-" + name));
    }

    fs::path root;
};

std::vector<std::string> Listed(const AdapterDiscovery& discovery)
{
    std::vector<std::string> names(discovery.GetAdapterPort(nullptr, 0));
    unsigned next = 0;
    for (auto& name : names)
        next = discovery.GetAdapterPort(&name, next);
    EXPECT_TRUE(names.empty() || next == PortDiscovery::kNoMorePorts);
    return names;
}

WindowMessage DeviceChange(std::uint32_t code, std::uint32_t deviceType = DBT_DEVTYP_PORT)
{
    return {WM_DEVICECHANGE, code, deviceType, {}};
}

TEST(AdapterDiscovery, ListsAdapterTtysSortedByTextWithoutRegardToCase)
{
    const std::pair<std::vector<std::string>, std::vector<std::string>> cases[] = {
        {{"ttyUSB3", "ttyUSB10", "ttyACM0"}, {"ttyACM0", "ttyUSB10", "ttyUSB3"}},
        {{"TTYUSB5", "ttyusb4"}, {"ttyusb4", "TTYUSB5"}},
        {{"ttyUSB1", "TTYUSB1"}, {"ttyUSB1"}},
        {{}, {}},
    };
    for (const auto& [adapters, listed] : cases) {
        FakeSysfs sysfs;
        for (const auto& name : adapters)
            sysfs.AddTty(name);
        AdapterDiscovery discovery(sysfs.root);
        testing::RecordingSink window;
        discovery.StartPortDiscovery(&window);
        const auto found = Listed(discovery);
        ASSERT_EQ(found.size(), listed.size());
        for (std::size_t i = 0; i < found.size(); ++i)
            EXPECT_TRUE(EqualIgnoringCase(found[i], listed[i])) << found[i];
    }
}

TEST(AdapterDiscovery, RecognisesTheAdapterByDriverOrByUsbIds)
{
    FakeSysfs sysfs;
    sysfs.AddTty("ttyUSB0");
    sysfs.AddTty("ttyUSB1", "pl2303", "0557", "2008");  // a clone the driver knows
    sysfs.AddTty("ttyUSB2", "", "067B", "2303");        // not bound to a driver
    sysfs.AddTty("ttyUSB3", "ftdi_sio", "0403", "6001");
    sysfs.AddTty("ttyUSB4", "", "067b", "2304");
    sysfs.AddTty("ttyS0", "serial8250", "");
    fs::create_directory_symlink(sysfs.root / "devices", sysfs.root / "class" / "tty" / "tty0");
    AdapterDiscovery discovery(sysfs.root, {"/dev/pts/3", "ttyUSB0", "", "/DEV/pts/3"});
    testing::RecordingSink window;
    EXPECT_EQ(discovery.GetAdapterPort(nullptr, 0), 0u) << "not started";
    discovery.StartPortDiscovery(&window);
    EXPECT_EQ(Listed(discovery), (std::vector<std::string>{"/dev/pts/3", "ttyUSB0", "ttyUSB1", "ttyUSB2"}));
    EXPECT_TRUE(discovery.IsAdapterPort("TTYusb2"));
    EXPECT_FALSE(discovery.IsAdapterPort("ttyUSB3"));
    std::string name = "stale";
    EXPECT_EQ(discovery.GetAdapterPort(&name, 4), PortDiscovery::kNoMorePorts);
    EXPECT_EQ(name, "");

    sysfs.Unplug("ttyUSB0");
    sysfs.Unplug("ttyUSB1");
    EXPECT_EQ(discovery.ClassifyDeviceEvent(DeviceChange(DBT_DEVICEREMOVECOMPLETE)), DeviceEvent::PortRemoval);
    EXPECT_EQ(Listed(discovery), (std::vector<std::string>{"/dev/pts/3", "ttyUSB0", "ttyUSB2"}));
    discovery.StopPortDiscovery();
    EXPECT_EQ(discovery.GetAdapterPort(nullptr, 0), 0u);
}

// Whether the installed udev rule gives a tty of this driver and USB id to the seat's user: one
// of its lines that lead to the cable's label has all its conditions met.
bool UdevRuleCovers(const std::string& driver, const std::string& vendor, const std::string& product)
{
    const std::map<std::string, std::string> values{
        {"DRIVERS", driver}, {"ATTRS{idVendor}", vendor}, {"ATTRS{idProduct}", product}};
    std::ifstream rules(Q9TX_UDEV_RULE);
    EXPECT_TRUE(rules.is_open()) << Q9TX_UDEV_RULE;
    const std::regex condition(R"re(([A-Z]+(\{\w+\})?)=="([^"]*)")re");
    for (std::string line; std::getline(rules, line);) {
        if (line.rfind("#", 0) == 0 || line.find("GOTO=\"q9tx_programmer_cable\"") == std::string::npos)
            continue;
        bool met = true;
        for (std::sregex_iterator it(line.begin(), line.end(), condition), end; it != end; ++it) {
            const auto value = values.find((*it)[1]);
            if (value == values.end())
                ADD_FAILURE() << "condition the test cannot judge: " << (*it)[0];
            met = met && value != values.end() && value->second == (*it)[3];
        }
        if (met)
            return true;
    }
    return false;
}

TEST(AdapterDiscovery, UdevRuleCoversExactlyTheTtysDiscoveryFinds)
{
    struct Tty {
        std::string driver, vendor, product;
    };
    std::vector<Tty> ttys = {
        {"pl2303", "067b", "2303"}, {"pl2303", "0557", "2008"}, {"ftdi_sio", "0403", "6001"},
        {"", "067b", "2304"},       {"ftdi_sio", "067b", "23a4"}, {"serial8250", "", ""},
    };
    for (const AdapterUsbId& id : kAdapterUsbIds)
        ttys.push_back({"", std::string(id.vendor), std::string(id.product)});
    for (const Tty& tty : ttys) {
        FakeSysfs sysfs;
        sysfs.AddTty("ttyUSB0", tty.driver, tty.vendor, tty.product);
        const bool found = !FindAdapterTtys(sysfs.root).empty();
        EXPECT_EQ(UdevRuleCovers(tty.driver, tty.vendor, tty.product), found)
            << tty.driver << " " << tty.vendor << ":" << tty.product << (found ? " found" : " not found");
    }
}

TEST(AdapterDiscovery, ClassifiesDeviceChanges)
{
    FakeSysfs sysfs;
    sysfs.AddTty("ttyUSB0");
    AdapterDiscovery discovery(sysfs.root);
    testing::RecordingSink window;
    discovery.StartPortDiscovery(&window);
    const struct {
        const char* what;
        const char* plug;    // adapter added before the message
        const char* unplug;  // adapter removed before the message
        WindowMessage message;
        DeviceEvent event;
        std::size_t listed;  // after the message
    } steps[] = {
        {"not a device change", "ttyUSB1", nullptr, {WM_PAGER_LINK, DBT_DEVICEARRIVAL, 3, {}}, DeviceEvent::None, 1},
        {"nothing pending: no rescan", nullptr, nullptr, DeviceChange(DBT_DEVNODES_CHANGED), DeviceEvent::None, 1},
        {"no port", nullptr, nullptr, DeviceChange(DBT_DEVICEARRIVAL, 5), DeviceEvent::None, 1},
        {"still nothing pending", nullptr, nullptr, DeviceChange(DBT_DEVNODES_CHANGED), DeviceEvent::None, 1},
        {"port arrival rescans", nullptr, nullptr, DeviceChange(DBT_DEVICEARRIVAL), DeviceEvent::None, 2},
        {"reported with nodes changed", "ttyUSB2", nullptr, DeviceChange(DBT_DEVNODES_CHANGED),
         DeviceEvent::PortArrival, 3},
        {"reported once", nullptr, nullptr, DeviceChange(DBT_DEVNODES_CHANGED), DeviceEvent::None, 3},
        {"removal at once", nullptr, "ttyUSB1", DeviceChange(DBT_DEVICEREMOVECOMPLETE), DeviceEvent::PortRemoval, 2},
        {"removal pending", nullptr, "ttyUSB0", DeviceChange(DBT_DEVICEQUERYREMOVE_PENDING),
         DeviceEvent::PortRemoval, 1},
        {"other codes", nullptr, "ttyUSB2", DeviceChange(0x8001), DeviceEvent::None, 1},
    };
    for (const auto& step : steps) {
        if (step.plug)
            sysfs.AddTty(step.plug);
        if (step.unplug)
            sysfs.Unplug(step.unplug);
        EXPECT_EQ(discovery.ClassifyDeviceEvent(step.message), step.event) << step.what;
        EXPECT_EQ(discovery.GetAdapterPort(nullptr, 0), step.listed) << step.what;
    }
}

TEST(AdapterDiscovery, LinkLosesThePagerWhenItsAdapterIsUnplugged)
{
    FakeSysfs sysfs;
    sysfs.AddTty("ttyUSB10");
    AdapterDiscovery discovery(sysfs.root);
    testing::FakeSerialPort port;
    testing::RecordingSink window;
    PagerLink link(port, discovery);
    link.StartLink(&window);
    link.LinkTick();
    ASSERT_EQ(port.openName, "ttyUSB10");
    port.Receive(testing::Frame('O'));
    port.Receive(testing::Frame('H', {0x08, 0x00}));

    sysfs.Unplug("ttyUSB10");
    EXPECT_TRUE(link.HandleDeviceEvent(DeviceChange(DBT_DEVICEREMOVECOMPLETE)));
    EXPECT_FALSE(port.IsOpen());
    link.LinkTick();
    EXPECT_EQ(window.Codes(WM_PAGER_LINK), (std::vector<std::uint32_t>{3, 6, 1}));

    sysfs.AddTty("ttyUSB10");
    EXPECT_FALSE(link.HandleDeviceEvent(DeviceChange(DBT_DEVICEARRIVAL)));
    EXPECT_TRUE(link.HandleDeviceEvent(DeviceChange(DBT_DEVNODES_CHANGED)));
    EXPECT_EQ(link.State(), lsPolling);
}

// A port the user chose is the only one walked, also when the link would not find it; its
// unplugging loses the pager; "Automatic" walks the adapters again.
TEST(AdapterDiscovery, ChosenPortIsTheOnlyOneUntilAutomatic)
{
    FakeSysfs sysfs;
    sysfs.AddTty("ttyUSB0");
    sysfs.AddTty("ttyUSB1", "ftdi_sio", "0403", "6001");
    AdapterDiscovery discovery(sysfs.root);
    testing::FakeSerialPort port;
    testing::RecordingSink window;
    PagerLink link(port, discovery);
    link.StartLink(&window);
    link.LinkTick();
    ASSERT_EQ(port.openName, "ttyUSB0");
    port.Receive(testing::Frame('O'));
    port.Receive(testing::Frame('H', {0x08, 0x00}));
    const struct {
        const char* what;
        const char* choose;  // nullptr: a removal of ttyUSB1 instead
        std::vector<std::string> listed;
        const char* open;  // after the next tick
        std::vector<std::uint32_t> codes;
    } steps[] = {
        {"another cable", "ttyUSB1", {"ttyUSB1"}, "ttyUSB1", {3, 6}},
        {"a device the list lacks", "/dev/pts/9", {"/dev/pts/9"}, "/dev/pts/9", {3, 6}},
        {"back to ttyUSB1", "ttyUSB1", {"ttyUSB1"}, "ttyUSB1", {3, 6}},
        {"ttyUSB1 unplugged", nullptr, {"ttyUSB1"}, "", {3, 6, 6}},
        {"automatic", "", {"ttyUSB0"}, "ttyUSB0", {3, 6, 6}},
    };
    for (const auto& step : steps) {
        if (step.choose) {
            link.ChoosePort(step.choose);
        } else {
            sysfs.Unplug("ttyUSB1");
            port.refusals["ttyUSB1"] = OpenFailure::NotFound;
            link.HandleDeviceEvent(DeviceChange(DBT_DEVICEREMOVECOMPLETE));
        }
        EXPECT_EQ(Listed(discovery), step.listed) << step.what;
        link.LinkTick();
        EXPECT_EQ(port.IsOpen() ? port.openName : std::string(), step.open) << step.what;
        EXPECT_EQ(link.OpenPortName(), step.open) << step.what;
        EXPECT_EQ(window.Codes(WM_PAGER_LINK), step.codes) << step.what;
    }
}

TEST(SerialPortCatalog, ListsEveryPortAdaptersFirstWithTheirWords)
{
    FakeSysfs sysfs;
    sysfs.AddTty("ttyUSB3", "ftdi_sio", "0403", "6001");
    std::ofstream(sysfs.root / "devices" / "usb-ttyUSB3" / "manufacturer") << "FTDI\n";
    std::ofstream(sysfs.root / "devices" / "usb-ttyUSB3" / "product") << "FT232R USB UART\n";
    std::ofstream(sysfs.root / "devices" / "usb-ttyUSB3" / "serial") << "A1B2\n";
    sysfs.AddTty("ttyUSB0");
    sysfs.AddTty("ttyS0", "serial", "");
    // A placeholder of the 8250 driver, and a console without a device.
    const fs::path placeholder = sysfs.root / "devices" / "platform" / "serial8250" / "tty" / "ttyS1";
    fs::create_directories(placeholder);
    fs::create_directory_symlink("../..", placeholder / "device");
    fs::create_directory_symlink(placeholder, sysfs.root / "class" / "tty" / "ttyS1");
    fs::create_directories(sysfs.root / "devices" / "virtual" / "tty1");
    fs::create_directory_symlink(sysfs.root / "devices" / "virtual" / "tty1", sysfs.root / "class" / "tty" / "tty1");

    std::vector<std::string> labels;
    for (const SerialPortEntry& entry : ListSerialPorts(sysfs.root))
        labels.push_back(entry.label() + (entry.adapter ? " *" : ""));
    EXPECT_EQ(labels, (std::vector<std::string>{"pl2303 (/dev/ttyUSB0) *",
                                                "FTDI FT232R USB UART, SN A1B2, ftdi_sio (/dev/ttyUSB3)",
                                                "serial (/dev/ttyS0)"}));

    const struct {
        std::vector<std::string> named;
        std::vector<std::string> names;
    } cases[] = {
        {{}, {"ttyUSB0", "ttyUSB3", "ttyS0"}},
        {{"/dev/ttyS0"}, {"ttyS0", "ttyUSB0", "ttyUSB3"}},
        {{"/dev/pts/4", "ttyusb3", "/dev/pts/4"}, {"/dev/pts/4", "ttyUSB3", "ttyUSB0", "ttyS0"}},
    };
    for (const auto& [named, names] : cases) {
        std::vector<std::string> found;
        for (const SerialPortEntry& entry : WithNamedPorts(named, ListSerialPorts(sysfs.root)))
            found.push_back(entry.name);
        EXPECT_EQ(found, names);
    }
}

}  // namespace
}  // namespace q9tx
