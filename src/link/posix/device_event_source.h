#pragma once
// Where tty arrivals and removals come from: udev in the program, a fake in tests.

#include <optional>

namespace q9tx {

enum class TtyChange { Added, Removed };

class DeviceEventSource {
public:
    virtual ~DeviceEventSource() = default;
    // A descriptor that becomes readable when changes are waiting.
    virtual int descriptor() const = 0;
    // The next waiting change that matters, or nothing when none is left. Changes of
    // other kinds are consumed and skipped.
    virtual std::optional<TtyChange> nextChange() = 0;
};

}  // namespace q9tx
