#include "link/posix/udev_device_monitor.h"

#include <QSocketNotifier>

#include "link/posix/sysfs_tty_poll.h"
#include "link/posix/udev_event_source.h"

namespace q9tx {

std::vector<WindowMessage> DeviceChangeMessages(TtyChange change)
{
    WindowMessage device;
    device.message = WM_DEVICECHANGE;
    device.code = change == TtyChange::Added ? DBT_DEVICEARRIVAL : DBT_DEVICEREMOVECOMPLETE;
    device.deviceType = DBT_DEVTYP_PORT;
    WindowMessage nodesChanged;
    nodesChanged.message = WM_DEVICECHANGE;
    nodesChanged.code = DBT_DEVNODES_CHANGED;
    return {device, nodesChanged};
}

UdevDeviceMonitor::UdevDeviceMonitor(MessageSink* sink, std::unique_ptr<DeviceEventSource> source)
    : sink_(sink), source_(std::move(source))
{
}

UdevDeviceMonitor::~UdevDeviceMonitor() = default;

bool UdevDeviceMonitor::start()
{
    if (notifier_) {
        return true;
    }
    if (!source_) {
        source_ = UdevEventSource::Create();
    }
    // Without udev (containers, sandboxes) a cable plugged in later is still seen, a tick later.
    if (!source_) {
        source_ = SysfsTtyPoll::Create();
    }
    if (!source_ || sink_ == nullptr) {
        return false;
    }
    notifier_ = std::make_unique<QSocketNotifier>(source_->descriptor(), QSocketNotifier::Read);
    QObject::connect(notifier_.get(), &QSocketNotifier::activated, notifier_.get(),
                     [this] { postWaitingChanges(); });
    return true;
}

void UdevDeviceMonitor::stop() { notifier_.reset(); }

bool UdevDeviceMonitor::isRunning() const { return notifier_ != nullptr; }

void UdevDeviceMonitor::postWaitingChanges()
{
    while (const std::optional<TtyChange> change = source_->nextChange()) {
        for (const WindowMessage& message : DeviceChangeMessages(*change)) {
            sink_->postMessage(message);
        }
    }
}

}  // namespace q9tx
