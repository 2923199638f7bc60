#include "link/posix/sysfs_tty_poll.h"

#include <sys/timerfd.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <iterator>
#include <vector>

namespace q9tx {

std::unique_ptr<SysfsTtyPoll> SysfsTtyPoll::Create(std::filesystem::path sysfsRoot,
                                                   std::chrono::milliseconds interval)
{
    const int timer = ::timerfd_create(CLOCK_MONOTONIC, TFD_NONBLOCK | TFD_CLOEXEC);
    if (timer < 0)
        return nullptr;
    const auto seconds = std::chrono::duration_cast<std::chrono::seconds>(interval);
    const auto nanoseconds = std::chrono::duration_cast<std::chrono::nanoseconds>(interval - seconds);
    itimerspec period{};
    period.it_interval.tv_sec = static_cast<time_t>(seconds.count());
    period.it_interval.tv_nsec = static_cast<long>(nanoseconds.count());
    period.it_value = period.it_interval;
    if (::timerfd_settime(timer, 0, &period, nullptr) != 0) {
        ::close(timer);
        return nullptr;
    }
    return std::unique_ptr<SysfsTtyPoll>(new SysfsTtyPoll(std::move(sysfsRoot), timer));
}

SysfsTtyPoll::SysfsTtyPoll(std::filesystem::path sysfsRoot, int timer)
    : sysfsRoot_(std::move(sysfsRoot)), timer_(timer), known_(Ttys())
{
}

SysfsTtyPoll::~SysfsTtyPoll() { ::close(timer_); }

std::set<std::string> SysfsTtyPoll::Ttys() const
{
    std::set<std::string> names;
    std::error_code error;
    for (std::filesystem::directory_iterator entry(sysfsRoot_ / "class" / "tty", error), end;
         !error && entry != end; entry.increment(error))
        names.insert(entry->path().filename().string());
    return names;
}

std::optional<TtyChange> SysfsTtyPoll::nextChange()
{
    std::uint64_t ticks = 0;
    if (waiting_.empty() && ::read(timer_, &ticks, sizeof ticks) == sizeof ticks) {
        std::set<std::string> now = Ttys();
        std::vector<std::string> gone;
        std::vector<std::string> added;
        std::set_difference(known_.begin(), known_.end(), now.begin(), now.end(), std::back_inserter(gone));
        std::set_difference(now.begin(), now.end(), known_.begin(), known_.end(), std::back_inserter(added));
        waiting_.insert(waiting_.end(), gone.size(), TtyChange::Removed);
        waiting_.insert(waiting_.end(), added.size(), TtyChange::Added);
        known_ = std::move(now);
    }
    if (waiting_.empty())
        return std::nullopt;
    const TtyChange change = waiting_.front();
    waiting_.pop_front();
    return change;
}

}  // namespace q9tx
