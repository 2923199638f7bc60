#pragma once
// SIGINT, SIGTERM, SIGHUP and SIGPIPE as events of the main thread: the handler only writes a byte to a
// pipe, and the callback runs from the event loop.

#include <functional>
#include <memory>

class QSocketNotifier;

namespace q9tx::cli {

class StopSignals {
public:
    // `onSignal` gets the signal's number. One instance at a time.
    explicit StopSignals(std::function<void(int)> onSignal);
    // Puts the previous handlers back.
    ~StopSignals();

    StopSignals(const StopSignals&) = delete;
    StopSignals& operator=(const StopSignals&) = delete;

private:
    std::function<void(int)> onSignal_;
    std::unique_ptr<QSocketNotifier> notifier_;
};

}  // namespace q9tx::cli
