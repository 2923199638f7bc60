#include "transfer/write_machine.h"

#include "image/status_texts.h"
#include "link/frame.h"
#include "transfer/header_block.h"

namespace q9tx {

WriteFactoryValues FactoryValuesForWrite(const ImageHeader& header, bool recoveryMode)
{
    const HeaderFactoryValues values = FactoryValuesOf(header);
    WriteFactoryValues taken;
    // In recovery mode the chip already chosen stands.
    if (!recoveryMode)
        taken.pllChip = values.pllChip;
    taken.bs2Option = values.bs2Option;
    taken.filterStrength = values.filterStrength;
    taken.preambleError = values.preambleError;
    return taken;
}

WriteMachine::WriteMachine(LinkControl& link, TransferReport& report)
    : TransferMachine(link, report, StatusCannotWrite)
{
}

void WriteMachine::Step(std::uint16_t code, const WindowMessage* block)
{
    if (code == 0) {
        blocksReady_ = false;
        verifying_ = false;
        // The header is read first.
        Begin(StatusReading);
        link_.SendFrame(CmdReadBlock, nullptr, 0);
        return;
    }
    if (!running())
        return;
    RunStep([&] {
        const bool ended = Answer(code, block);
        // Only once the next frame is out: a progress bar repaints at once, and the
        // pager would wait for it.
        report_.AdvanceProgress(kProgressStep);
        return ended;
    });
}

bool WriteMachine::Answer(std::uint16_t code, const WindowMessage* block)
{
    if (code == kHeaderArrived) {
        // A second block reply must not start a second chain of blocks.
        if (!blocksReady_)
            TakeHeader(block);
        return false;
    }
    // Until the header has been handled nothing was written: an acknowledgement or
    // a verdict then belongs to no block of this write.
    if (!blocksReady_)
        return false;
    switch (code) {
    case AckVerifying:
        verifying_ = true;
        report_.ShowAction(StatusVerifying);
        return false;
    case AckCompleted:
        report_.WriteCompleted();
        return true;
    case AckFailedK:
    case AckFailedM:
        throw StatusError(StatusCannotWrite);
    default:
        // Acknowledgement of block code - 1: the next block follows; after the last,
        // the pager's verdict.
        if (code < kBlockCount)
            SendBlock(code);
        return false;
    }
}

void WriteMachine::TakeHeader(const WindowMessage* reply)
{
    if (!reply)
        throw StatusError(StatusCannotRead);
    ImageHeader header{};
    CheckHeaderBlock(header, *reply);
    image() = report_.WriteImage(header, FactoryValuesForWrite(header, report_.RecoveryMode()));
    blocksReady_ = true;
    report_.ShowAction(StatusWriting);
    SendBlock(0);
}

void WriteMachine::SendBlock(std::size_t block)
{
    link_.SendFrame(static_cast<std::uint8_t>(CmdWriteBlock + block), image().data() + block * kBlockSize,
                    static_cast<std::uint8_t>(kBlockSize));
}

std::chrono::milliseconds WriteMachine::SilenceLimit() const
{
    return verifying_ ? limits.verdict : limits.silence;
}

}  // namespace q9tx
