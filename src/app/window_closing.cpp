// Closing the window - Exit, the close button, the window manager, an end signal - never
// cuts a transfer short and never drops the user's edits without a question.

#include <QCloseEvent>
#include <QTimer>

#include "app/tform1.h"
#include "transfer/read_machine.h"
#include "transfer/write_machine.h"

using namespace q9tx;

namespace {

const QString kStopCaption = QStringLiteral("Stop writing?");
const QString kStopText = QStringLiteral(
    "The pager is being written. Stop now and close?\n\n"
    "Stopped now, the pager may be left half-written. Writing it again mends it; should it no "
    "longer answer, Help, Recovery lets the next write choose its chip.");

}  // namespace

RunningTransfer TForm1::runningTransfer() const
{
    if (writeMachine_->running())
        return RunningTransfer::Write;
    return readMachine_->running() ? RunningTransfer::Read : RunningTransfer::None;
}

void TForm1::closeEvent(QCloseEvent* event)
{
    const RunningTransfer running = runningTransfer();
    switch (closeGuard_.Request(running)) {
    case CloseStep::Wait:
        setStatusText(running == RunningTransfer::Write
                          ? QStringLiteral("Closing after the write has the pager's verdict...")
                          : QStringLiteral("Closing after the read..."));
        UpdateLinkIndicator();
        event->ignore();
        return;
    case CloseStep::AskToStop:
        if (Ask(kStopCaption, kStopText, QMessageBox::Yes | QMessageBox::No) != QMessageBox::Yes) {
            event->ignore();
            return;
        }
        closeGuard_.Drop();
        EndTransfer();
        break;
    case CloseStep::Close:
        closeGuard_.Drop();
        EndTransfer();
        break;
    }
    if (!MayDiscardEdits(QStringLiteral("closing"))) {
        event->ignore();
        return;
    }
    event->accept();
}

void TForm1::CloseIfWaiting()
{
    if (closeGuard_.TransferEnded())
        QTimer::singleShot(0, this, &QWidget::close);
}
