// The start and end that every read and write shares: the operation frame and the
// transfer's image.

#include <QLabel>
#include <QTimer>

#include "app/status_texts.h"
#include "app/tform1.h"

bool TForm1::StartTransfer(int actionStatus)
{
    // One operation at a time: a command given meanwhile is ignored.
    if (!BeginOperation(actionStatus))
        return false;
    setStatusText(action->text());
    // Cleared, so that a short block leaves zeros rather than an earlier transfer's bytes.
    transferImage_.emplace();
    writeBlocksReady_ = false;
    pagerVerifying_ = false;
    if (!transferWatchdog_) {
        transferWatchdog_ = new QTimer(this);
        transferWatchdog_->setSingleShot(true);
        connect(transferWatchdog_, &QTimer::timeout, this, [this] { TransferWentSilent(); });
    }
    KeepTransferAlive();
    return true;
}

void TForm1::KeepTransferAlive()
{
    transferWatchdog_->start(pagerVerifying_ ? transferVerifyLimit : transferSilenceLimit);
}

void TForm1::TransferWentSilent()
{
    if (!transferImage_)
        return;
    showStatus(writeInProgress ? q9tx::StatusCannotWrite : q9tx::StatusCannotRead);
    EndTransfer();
}

void TForm1::ShowAction(int actionStatus)
{
    action->setText(q9tx::StatusText(actionStatus));
    setStatusText(action->text());
}

void TForm1::EndTransfer()
{
    // Also called by the disconnected look, which must not end a file operation.
    if (!transferImage_)
        return;
    transferImage_.reset();
    transferWatchdog_->stop();
    writeBlocksReady_ = false;
    pagerVerifying_ = false;
    writeInProgress = false;
    EndOperation();
}
