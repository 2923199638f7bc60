#pragma once
// tty arrivals and removals where udev does not run (containers, sandboxes): the entries of
// <sysfs>/class/tty are compared with the previous look on a timer, whose descriptor
// becomes readable at each tick.

#include <chrono>
#include <deque>
#include <filesystem>
#include <memory>
#include <set>
#include <string>

#include "link/posix/device_event_source.h"

namespace q9tx {

class SysfsTtyPoll : public DeviceEventSource {
public:
    // Null when the timer cannot be set up.
    static std::unique_ptr<SysfsTtyPoll> Create(std::filesystem::path sysfsRoot = "/sys",
                                                std::chrono::milliseconds interval = std::chrono::seconds(1));
    ~SysfsTtyPoll() override;

    SysfsTtyPoll(const SysfsTtyPoll&) = delete;
    SysfsTtyPoll& operator=(const SysfsTtyPoll&) = delete;

    int descriptor() const override { return timer_; }
    std::optional<TtyChange> nextChange() override;

private:
    SysfsTtyPoll(std::filesystem::path sysfsRoot, int timer);
    std::set<std::string> Ttys() const;

    std::filesystem::path sysfsRoot_;
    int timer_;
    std::set<std::string> known_;
    std::deque<TtyChange> waiting_;
};

}  // namespace q9tx
