#include "transfer/transfer_status.h"

namespace q9tx {
namespace {

struct NumberedText {
    int number;
    const char* text;
};

constexpr NumberedText kTexts[] = {
    {TransferPagerDisconnected, "Pager disconnected."},
    {TransferFirmwareTooNew, "Pager firmware too new. Please obtain a new version of this software."},
    {TransferReading, "Reading..."},
    {TransferWriting, "Writing..."},
    {TransferVerifying, "Verifying..."},
    {TransferReadCompleted, "Read completed."},
    {TransferCannotRead, "Cannot read. Please try again."},
    {TransferWriteCompleted, "Write completed."},
    {TransferCannotWrite, "Cannot write. Please try again."},
};

}  // namespace

const char* TransferStatusText(int number)
{
    for (const NumberedText& entry : kTexts) {
        if (entry.number == number)
            return entry.text;
    }
    return nullptr;
}

}  // namespace q9tx
