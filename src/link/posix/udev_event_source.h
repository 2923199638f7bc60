#pragma once
// tty arrivals and removals from udev, after its rules have run (so a new device
// node already has its final permissions).

#include <memory>
#include <string>

#include "link/posix/device_event_source.h"

struct udev;
struct udev_monitor;

namespace q9tx {

class UdevEventSource : public DeviceEventSource {
public:
    // Null where udev does not run (no `runDirectory`, as in most containers) or the
    // monitor cannot be set up.
    static std::unique_ptr<UdevEventSource> Create(const std::string& runDirectory = "/run/udev");
    ~UdevEventSource() override;

    UdevEventSource(const UdevEventSource&) = delete;
    UdevEventSource& operator=(const UdevEventSource&) = delete;

    int descriptor() const override;
    std::optional<TtyChange> nextChange() override;

private:
    UdevEventSource(udev* context, udev_monitor* monitor);

    udev* context_;
    udev_monitor* monitor_;
};

}  // namespace q9tx
