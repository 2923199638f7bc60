#pragma once
// What the read and the write share: the transfer's 512-byte image from start to end, the
// error convention (a step raises the number of a status text, the step itself catches
// it and ends the transfer) and the watchdog against a pager that goes silent.

#include <chrono>
#include <optional>

#include <QTimer>

#include "image/config_image.h"
#include "image/status_error.h"
#include "link/link_control.h"
#include "transfer/transfer_report.h"

namespace q9tx {

struct TransferLimits {
    // Without any block or acknowledgement. The link notices a lost reply within two
    // seconds; this is the last resort for what it cannot see, such as a reply lost while
    // it identifies the pager again after a device change.
    std::chrono::milliseconds silence{30'000};
    // After "Verifying...": the pager verifies what it stored while it answers the link's
    // keep-alives, and may take this long before its verdict.
    std::chrono::milliseconds verdict{120'000};
};

class TransferMachine {
public:
    TransferMachine(const TransferMachine&) = delete;
    TransferMachine& operator=(const TransferMachine&) = delete;

    bool running() const { return image_.has_value(); }
    // Ends the transfer under way without a verdict of its own, as when the pager is
    // lost: nothing is reported but TransferEnded.
    void Abandon();

    TransferLimits limits;

protected:
    TransferMachine(LinkControl& link, TransferReport& report, int failureStatus);
    virtual ~TransferMachine() = default;

    // A cleared image, so that a short block leaves zeros rather than an earlier
    // transfer's bytes.
    void Begin(int actionStatus);
    // Runs one step of the transfer under way; `step` returns true when the transfer is
    // complete. Any exception other than a StatusError ends the transfer with the
    // machine's failure status and goes on to the caller.
    template <typename Step>
    void RunStep(Step&& step);
    virtual std::chrono::milliseconds SilenceLimit() const { return limits.silence; }
    ConfigImage& image() { return *image_; }

    LinkControl& link_;
    TransferReport& report_;

private:
    void Fail(int status);
    void End();

    int failureStatus_;
    std::optional<ConfigImage> image_;
    QTimer watchdog_;
};

template <typename Step>
void TransferMachine::RunStep(Step&& step)
{
    try {
        if (step())
            End();
        else
            watchdog_.start(SilenceLimit());
    } catch (const StatusError& error) {
        Fail(error.number());
    } catch (...) {
        Fail(failureStatus_);
        throw;
    }
}

}  // namespace q9tx
