// Writing the editor's settings to the pager: the pager's own header first, then the 16
// blocks, each sent when the one before has been acknowledged, then the pager's verdict.

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>

#include "app/status_texts.h"
#include "app/tform1.h"
#include "editor/field_marks.h"
#include "link/frame.h"
#include "transfer/header_block.h"
#include "transfer/transfer_step.h"

using namespace q9tx;

namespace {

constexpr std::uint16_t kHeaderArrived = 4096;
constexpr int kWriteProgressStep = 5;

void SendBlock(LinkControl& link, const ConfigImage& image, std::size_t block)
{
    link.SendFrame(static_cast<std::uint8_t>(CmdWriteBlock + block), image.data() + block * kBlockSize,
                   static_cast<std::uint8_t>(kBlockSize));
}

}  // namespace

void TForm1::WriteToPager1Click()
{
    if (operationRunning())
        return;
    if (!ValidateSettings()) {
        ShowSettingsRefusal();
        return;
    }
    WriteTransferStep(0, nullptr);
}

void TForm1::WriteTransferStep(std::uint16_t code, const WindowMessage* block)
{
    if (code == 0) {
        // The header is read first.
        if (StartTransfer(StatusReading)) {
            writeInProgress = true;
            link().SendFrame(CmdReadBlock, nullptr, 0);
        }
        return;
    }
    // An acknowledgement with no write under way is ignored.
    if (!writeInProgress || !transferImage_)
        return;
    if (code == AckVerifying && writeBlocksReady_)
        pagerVerifying_ = true;
    KeepTransferAlive();
    RunTransferStep(*this, StatusCannotWrite, [&] {
        AdvanceProgress(kWriteProgressStep);
        if (code == kHeaderArrived) {
            // A second block reply must not start a second chain of blocks.
            if (!writeBlocksReady_)
                TakeWriteHeader(block);
            return false;
        }
        // Until the header has been handled nothing was written: an acknowledgement or
        // a verdict then belongs to no block of this write.
        if (!writeBlocksReady_)
            return false;
        switch (code) {
        case AckVerifying:
            ShowAction(StatusVerifying);
            return false;
        case AckCompleted:
            AdvanceAddresses();
            showStatus(StatusWriteCompleted);
            return true;
        case AckFailedK:
        case AckFailedM:
            throw StatusError(StatusCannotWrite);
        default:
            // Acknowledgement of block code - 1: the next block follows; after the last,
            // the pager's verdict.
            if (code < kBlockCount)
                SendBlock(link(), *transferImage_, code);
            return false;
        }
    });
}

void TForm1::TakeWriteHeader(const WindowMessage* reply)
{
    if (!reply)
        throw StatusError(StatusCannotRead);
    ImageHeader header{};
    CheckHeaderBlock(header, *reply);
    TakeFactoryValues(header);
    try {
        *transferImage_ = EncodeImage(header);
    } catch (const StatusError& error) {
        // The pager's chip cannot take the editor's frequency: the field says so too.
        if (error.number() == StatusIllegalFrequency)
            setRefused(frequency, true);
        throw;
    }
    writeBlocksReady_ = true;
    ShowAction(StatusWriting);
    SendBlock(link(), *transferImage_, 0);
}

void TForm1::TakeFactoryValues(const ImageHeader& header)
{
    const HeaderFactoryValues values = FactoryValuesOf(header);
    // In recovery mode the user's chip choice stands.
    if (!Recover1->isChecked())
        pllChip->setCurrentIndex(values.pllChip);
    bs2Option->setChecked(values.bs2Option);
    filterStrength->setCurrentIndex(values.filterStrength);
    preambleError->setCurrentIndex(values.preambleError);
}
