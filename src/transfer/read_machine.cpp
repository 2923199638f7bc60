#include "transfer/read_machine.h"

#include "image/image_validation.h"
#include "image/status_texts.h"
#include "link/frame.h"

namespace q9tx {
namespace {

void RequestBlock(LinkControl& link, std::size_t block)
{
    link.SendFrame(static_cast<std::uint8_t>(CmdReadBlock + block), nullptr, 0);
}

}  // namespace

ReadMachine::ReadMachine(LinkControl& link, TransferReport& report)
    : TransferMachine(link, report, StatusCannotRead)
{
}

void ReadMachine::Step(std::uint16_t code, const WindowMessage* block)
{
    if (code == 0) {
        Begin(StatusReading);
        RequestBlock(link_, 0);
        return;
    }
    if (!running() || code > kBlockCount)
        return;
    RunStep([&] {
        const std::size_t length = block ? block->payloadLength() : 0;
        if (length > kBlockSize)
            throw StatusError(StatusCannotRead);
        // The reply's own block number places it, whatever was asked for.
        const std::size_t arrived = code - 1u;
        for (std::size_t i = 0; i < length; ++i)
            image()[arrived * kBlockSize + i] = block->payload(i);
        const bool more = code < kBlockCount;
        if (more)
            RequestBlock(link_, arrived + 1);
        // Only once the next request is out: a progress bar repaints at once, and the
        // pager would wait for it.
        report_.AdvanceProgress(kProgressStep);
        if (more)
            return false;
        try {
            ValidateImage(report_.PagerMapVersion(), image());
        } catch (const StatusError& refused) {
            report_.ReadRefused(image(), refused.number());
            throw;
        }
        report_.ReadCompleted(image());
        return true;
    });
}

}  // namespace q9tx
