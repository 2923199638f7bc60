#include "app/close_guard.h"

namespace q9tx {

CloseStep CloseGuard::Request(RunningTransfer running)
{
    if (running == RunningTransfer::None) {
        waiting_ = false;
        return CloseStep::Close;
    }
    if (!waiting_) {
        waiting_ = true;
        return CloseStep::Wait;
    }
    if (running == RunningTransfer::Write)
        return CloseStep::AskToStop;
    // A read changes nothing on the pager: asked twice, the window stops it and goes.
    waiting_ = false;
    return CloseStep::Close;
}

bool CloseGuard::TransferEnded()
{
    const bool close = waiting_;
    waiting_ = false;
    return close;
}

}  // namespace q9tx
