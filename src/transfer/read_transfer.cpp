// Reading the pager's configuration image: 16 block requests, one at a time, each sent
// when the reply to the one before has been handled.

#include <QComboBox>

#include "app/status_texts.h"
#include "app/tform1.h"
#include "image/image_validation.h"
#include "link/frame.h"
#include "transfer/transfer_step.h"

using namespace q9tx;

namespace {

constexpr int kReadProgressStep = 6;

void RequestBlock(LinkControl& link, std::size_t block)
{
    link.SendFrame(static_cast<std::uint8_t>(CmdReadBlock + block), nullptr, 0);
}

}  // namespace

void TForm1::ReadFromPager1Click() { ReadTransferStep(0, nullptr); }

void TForm1::ReadTransferStep(std::uint16_t code, const WindowMessage* block)
{
    if (code == 0) {
        if (StartTransfer(StatusReading))
            RequestBlock(link(), 0);
        return;
    }
    // Block data with no read under way is ignored.
    if (!transferImage_ || writeInProgress || code > kBlockCount)
        return;
    KeepTransferAlive();
    RunTransferStep(*this, StatusCannotRead, [&] {
        const std::size_t length = block ? block->payloadLength() : 0;
        if (length > kBlockSize)
            throw StatusError(StatusCannotRead);
        // The reply's own block number places it, whatever was asked for.
        const std::size_t arrived = code - 1u;
        for (std::size_t i = 0; i < length; ++i)
            (*transferImage_)[arrived * kBlockSize + i] = block->payload(i);
        AdvanceProgress(kReadProgressStep);
        if (code < kBlockCount) {
            RequestBlock(link(), arrived + 1);
            return false;
        }
        ValidateImage(mapVersion->currentIndex(), *transferImage_);
        DecodeImage(*transferImage_);
        // Replaces what the editor's rules left in the status bar while decoding.
        showStatus(StatusReadCompleted);
        return true;
    });
}
