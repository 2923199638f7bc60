#pragma once
// What the link needs from adapter discovery: the list of ports to walk and the
// classification of device-change messages. AdapterDiscovery is the sysfs form; link tests
// use a scripted fake.

#include <cstdint>
#include <string>

#include "link/link_messages.h"

namespace q9tx {

// What a window message means to the link.
enum class DeviceEvent : std::uint8_t {
    None = 0,
    PortArrival = 1,
    PortRemoval = 2,
    // A removal announced before it happens: the link holds back writes until the removal.
    RemovalUnderWay = 3,
};

class PortDiscovery {
public:
    // GetAdapterPort's answer when no name follows the one asked for.
    static constexpr unsigned kNoMorePorts = 255;

    virtual ~PortDiscovery() = default;

    // Fills the list; without a window nothing is set up and the list stays empty.
    virtual void StartPortDiscovery(MessageSink* window) = 0;
    virtual void StopPortDiscovery() = 0;
    // With no name, the number of ports. Otherwise stores the port at index (empty past the
    // end) and returns the next index, or kNoMorePorts after the last.
    virtual unsigned GetAdapterPort(std::string* name, unsigned index) const = 0;
    virtual bool IsAdapterPort(const std::string& name) const = 0;
    // A port the user named (--port), rather than one found.
    virtual bool IsNamedByUser(const std::string&) const { return false; }
    // From now on the list holds only this port, whatever it is; empty for the ports
    // found by themselves again.
    virtual void ChoosePort(const std::string&) {}
    // May rescan the ports as a side effect.
    virtual DeviceEvent ClassifyDeviceEvent(const WindowMessage& message) = 0;
};

}  // namespace q9tx
