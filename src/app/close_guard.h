#pragma once
// When the window may close: never in the middle of a transfer. A close asked for while
// the pager is read or written waits for the transfer's end; asked for again during a
// write, the user decides whether to stop the write now.

namespace q9tx {

enum class RunningTransfer { None, Read, Write };

enum class CloseStep {
    Close,      // close now
    Wait,       // close once the transfer has ended
    AskToStop,  // a write runs and a close is already waiting: ask before stopping it
};

class CloseGuard {
public:
    CloseStep Request(RunningTransfer running);
    // The transfer has ended: true when a close waits for that.
    bool TransferEnded();
    // The waiting close is given up: the user stopped the transfer or cancelled the close.
    void Drop() { waiting_ = false; }
    bool waiting() const { return waiting_; }

private:
    bool waiting_ = false;
};

}  // namespace q9tx
