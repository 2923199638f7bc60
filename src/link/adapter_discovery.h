#pragma once
// Finds the serial ports of the pager's USB-serial adapters (through sysfs) and turns
// device-change messages into the events the link reacts to.
//
// The ports given by the user (extraPorts: names like ttyS0 or paths like /dev/pts/3) come
// first, in the order given, and stay listed whatever the rescans find; the discovered
// adapter ports follow, sorted without regard to case. Names are kept whole. A port the
// user chose replaces them all until the choice is taken back.

#include <filesystem>
#include <string>
#include <vector>

#include "link/adapter_port_list.h"
#include "link/port_discovery.h"

namespace q9tx {

class AdapterDiscovery final : public PortDiscovery {
public:
    explicit AdapterDiscovery(std::filesystem::path sysfsRoot = "/sys",
                              std::vector<std::string> extraPorts = {});

    void StartPortDiscovery(MessageSink* window) override;
    void RescanAdapterPorts();
    unsigned GetAdapterPort(std::string* name, unsigned index) const override;
    bool IsAdapterPort(const std::string& name) const override;
    bool IsNamedByUser(const std::string& name) const override;
    void ChoosePort(const std::string& name) override { chosenPort_ = name; }
    // Arrivals are reported with the nodes-changed message that follows, removals at once.
    // Never RemovalUnderWay: Linux announces no removal ahead of it.
    DeviceEvent ClassifyDeviceEvent(const WindowMessage& message) override;
    void StopPortDiscovery() override;

private:
    std::size_t PortCount() const { return extraPorts_.size() + adapterPortList_.Count(); }
    bool IsExtraPort(const std::string& name) const;
    // Whether the chosen port's device is there: a name in sysfs, a path in the file system.
    bool ChosenPortPresent() const;

    std::filesystem::path sysfsRoot_;
    std::vector<std::string> extraPorts_;
    // The discovered adapter ports, without those already among extraPorts_.
    AdapterPortList adapterPortList_;
    bool started_ = false;
    DeviceEvent pendingDeviceEvent_ = DeviceEvent::None;
    // The one port the user chose; empty while the ports found are walked.
    std::string chosenPort_;
};

}  // namespace q9tx
