#include "link/posix/udev_event_source.h"

#include <libudev.h>
#include <sys/stat.h>

#include <cstring>

namespace q9tx {

std::unique_ptr<UdevEventSource> UdevEventSource::Create(const std::string& runDirectory)
{
    struct stat info {};
    if (::stat(runDirectory.c_str(), &info) != 0 || !S_ISDIR(info.st_mode)) {
        return nullptr;
    }
    udev* context = udev_new();
    if (context == nullptr) {
        return nullptr;
    }
    udev_monitor* monitor = udev_monitor_new_from_netlink(context, "udev");
    if (monitor == nullptr || udev_monitor_filter_add_match_subsystem_devtype(monitor, "tty", nullptr) < 0 ||
        udev_monitor_enable_receiving(monitor) < 0) {
        udev_monitor_unref(monitor);
        udev_unref(context);
        return nullptr;
    }
    return std::unique_ptr<UdevEventSource>(new UdevEventSource(context, monitor));
}

UdevEventSource::UdevEventSource(udev* context, udev_monitor* monitor) : context_(context), monitor_(monitor) {}

UdevEventSource::~UdevEventSource()
{
    udev_monitor_unref(monitor_);
    udev_unref(context_);
}

int UdevEventSource::descriptor() const { return udev_monitor_get_fd(monitor_); }

std::optional<TtyChange> UdevEventSource::nextChange()
{
    // The monitor's socket is non-blocking: null means nothing is waiting.
    while (udev_device* device = udev_monitor_receive_device(monitor_)) {
        const char* action = udev_device_get_action(device);
        std::optional<TtyChange> change;
        if (action != nullptr && std::strcmp(action, "add") == 0) {
            change = TtyChange::Added;
        } else if (action != nullptr && std::strcmp(action, "remove") == 0) {
            change = TtyChange::Removed;
        }
        udev_device_unref(device);
        if (change) {
            return change;
        }
    }
    return std::nullopt;
}

}  // namespace q9tx
