#include "link/adapter_discovery.h"

#include <algorithm>
#include <utility>
#include <sys/utsname.h>

#include "link/sysfs_tty_scan.h"

namespace q9tx {

AdapterDiscovery::AdapterDiscovery(std::filesystem::path sysfsRoot,
                                   std::vector<std::string> extraPorts)
    : sysfsRoot_(std::move(sysfsRoot))
{
    for (auto& name : extraPorts) {
        if (!name.empty() && !IsExtraPort(name))
            extraPorts_.push_back(std::move(name));
    }
}

bool AdapterDiscovery::IsExtraPort(const std::string& name) const
{
    return std::any_of(extraPorts_.begin(), extraPorts_.end(),
                       [&](const std::string& other) { return EqualIgnoringCase(other, name); });
}

void AdapterDiscovery::StartPortDiscovery(MessageSink* window)
{
    if (window == nullptr)
        return;
    pendingDeviceEvent_ = DeviceEvent::None;
    utsname system{};
    if (uname(&system) != 0)
        return;
    started_ = true;
    RescanAdapterPorts();
}

void AdapterDiscovery::RescanAdapterPorts()
{
    adapterPortList_.Clear();
    for (const std::string& name : FindAdapterTtys(sysfsRoot_)) {
        if (!IsExtraPort(name))
            adapterPortList_.Add(name);
    }
}

unsigned AdapterDiscovery::GetAdapterPort(std::string* name, unsigned index) const
{
    const std::size_t count = !started_ ? 0 : !chosenPort_.empty() ? 1 : PortCount();
    if (name == nullptr)
        return static_cast<unsigned>(count);
    if (index >= count) {
        name->clear();
        return kNoMorePorts;
    }
    if (!chosenPort_.empty())
        *name = chosenPort_;
    else
        *name = index < extraPorts_.size() ? extraPorts_[index] : adapterPortList_.At(index - extraPorts_.size());
    return index + 1 < count ? index + 1 : kNoMorePorts;
}

bool AdapterDiscovery::IsAdapterPort(const std::string& name) const
{
    if (!started_)
        return false;
    if (!chosenPort_.empty())
        return EqualIgnoringCase(name, chosenPort_) && ChosenPortPresent();
    return IsExtraPort(name) || adapterPortList_.Contains(name);
}

bool AdapterDiscovery::IsNamedByUser(const std::string& name) const
{
    return IsExtraPort(name) || (!chosenPort_.empty() && EqualIgnoringCase(name, chosenPort_));
}

bool AdapterDiscovery::ChosenPortPresent() const
{
    std::error_code error;
    if (chosenPort_.front() == '/')
        return std::filesystem::exists(chosenPort_, error);
    if (chosenPort_.find('/') != std::string::npos)
        return std::filesystem::exists("/dev/" + chosenPort_, error);
    return IsExtraPort(chosenPort_) || adapterPortList_.Contains(chosenPort_) ||
           std::filesystem::exists(sysfsRoot_ / "class" / "tty" / chosenPort_, error);
}

DeviceEvent AdapterDiscovery::ClassifyDeviceEvent(const WindowMessage& message)
{
    if (!started_ || message.message != WM_DEVICECHANGE)
        return DeviceEvent::None;
    const bool port = message.deviceType == DBT_DEVTYP_PORT;
    switch (message.code) {
    case DBT_DEVICEARRIVAL:
        // Reported with the nodes-changed message that follows, when the port is usable.
        if (port) {
            pendingDeviceEvent_ = DeviceEvent::PortArrival;
            RescanAdapterPorts();
        }
        return DeviceEvent::None;
    case DBT_DEVICEQUERYREMOVE_PENDING:
    case DBT_DEVICEREMOVECOMPLETE:
        if (port)
            pendingDeviceEvent_ = DeviceEvent::PortRemoval;
        break;
    case DBT_DEVNODES_CHANGED:
        break;
    default:
        return DeviceEvent::None;
    }
    const DeviceEvent event = pendingDeviceEvent_;
    if (event != DeviceEvent::None)
        RescanAdapterPorts();
    pendingDeviceEvent_ = DeviceEvent::None;
    return event;
}

void AdapterDiscovery::StopPortDiscovery()
{
    if (!started_)
        return;
    started_ = false;
    adapterPortList_.Clear();
}

}  // namespace q9tx
