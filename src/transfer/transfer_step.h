#pragma once
// The error convention of the transfers: a step raises the number of a status text, the
// step itself catches it, shows the text and ends the transfer.

#include "app/tform1.h"
#include "image/status_error.h"

namespace q9tx {

// Runs one step of the transfer under way; `step` returns true when the transfer is
// complete. Any other exception (a field the conversion cannot read) ends the transfer
// with `failureStatus` and goes on to the general error box.
template <typename Step>
void RunTransferStep(TForm1& form, int failureStatus, Step&& step)
{
    try {
        if (step())
            form.EndTransfer();
    } catch (const StatusError& error) {
        form.showStatus(error.number());
        form.EndTransfer();
    } catch (...) {
        form.showStatus(failureStatus);
        form.EndTransfer();
        throw;
    }
}

}  // namespace q9tx
