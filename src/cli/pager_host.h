#pragma once
// The link as the window runs it, without a window: the serial port, adapter discovery,
// device notifications and the 50 ms tick. Every message the link posts reaches the
// handler on the main thread, after the link has seen it, as in the window.

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <QObject>
#include <QTimer>

#include "link/adapter_discovery.h"
#include "link/link_messages.h"
#include "link/pager_link.h"
#include "link/posix/posix_serial_port.h"
#include "link/posix/udev_device_monitor.h"

namespace q9tx::cli {

class PagerHost final : public QObject, public MessageSink {
public:
    using Handler = std::function<void(const WindowMessage&)>;

    // With ports, only those are probed; without, the adapters found, as the window does.
    PagerHost(const std::vector<std::string>& ports, Handler handler);
    // Signs off from the pager and closes the port.
    ~PagerHost() override;

    void Start();
    LinkControl& link() { return link_; }
    // The pager connected now is reported lost within a fraction of a second of its removal.
    void WatchForRemoval() { link_.WatchForRemoval(); }
    const std::string& portName() const { return link_.CurrentPortName(); }
    // The ports probed, for messages.
    std::string portList() const;

    void postMessage(const WindowMessage& message) override;

protected:
    bool event(QEvent* event) override;

private:
    void Handle(const WindowMessage& message);

    Handler handler_;
    PosixSerialPort port_;
    AdapterDiscovery discovery_;
    PagerLink link_;
    std::unique_ptr<UdevDeviceMonitor> deviceMonitor_;
    QTimer timer_;
};

}  // namespace q9tx::cli
