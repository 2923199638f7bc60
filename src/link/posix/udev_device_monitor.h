#pragma once
// Watches tty arrivals and removals on the main thread and posts them to the window
// as device-change messages, each followed by a nodes-changed message.

#include <memory>
#include <vector>

#include "link/link_messages.h"
#include "link/posix/device_event_source.h"

class QSocketNotifier;

namespace q9tx {

// The messages one change is posted as, in order.
std::vector<WindowMessage> DeviceChangeMessages(TtyChange change);

class UdevDeviceMonitor {
public:
    // Without a source, start() uses udev, or where udev does not run polls sysfs. `sink`
    // must outlive the monitor.
    explicit UdevDeviceMonitor(MessageSink* sink, std::unique_ptr<DeviceEventSource> source = nullptr);
    ~UdevDeviceMonitor();

    UdevDeviceMonitor(const UdevDeviceMonitor&) = delete;
    UdevDeviceMonitor& operator=(const UdevDeviceMonitor&) = delete;

    // False where no event source can be set up; nothing is then posted.
    bool start();
    void stop();
    bool isRunning() const;

private:
    void postWaitingChanges();

    MessageSink* sink_;
    std::unique_ptr<DeviceEventSource> source_;
    std::unique_ptr<QSocketNotifier> notifier_;
};

}  // namespace q9tx
