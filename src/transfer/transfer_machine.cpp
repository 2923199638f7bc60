#include "transfer/transfer_machine.h"

namespace q9tx {

TransferMachine::TransferMachine(LinkControl& link, TransferReport& report, int failureStatus)
    : link_(link), report_(report), failureStatus_(failureStatus)
{
    watchdog_.setSingleShot(true);
    QObject::connect(&watchdog_, &QTimer::timeout, &watchdog_, [this] {
        if (running())
            Fail(failureStatus_);
    });
}

void TransferMachine::Abandon()
{
    if (running())
        End();
}

void TransferMachine::Begin(int actionStatus)
{
    image_.emplace();
    report_.ShowAction(actionStatus);
    watchdog_.start(SilenceLimit());
}

void TransferMachine::Fail(int status)
{
    report_.TransferFailed(status);
    End();
}

void TransferMachine::End()
{
    image_.reset();
    watchdog_.stop();
    report_.TransferEnded();
}

}  // namespace q9tx
