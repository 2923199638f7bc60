// The window's side of every read and write: the operation frame around the machine
// that runs the transfer, and the status texts it reports.

#include <chrono>

#include <QAction>
#include <QLabel>

#include "app/tform1.h"
#include "editor/settings_editor.h"
#include "editor/status_texts.h"
#include "transfer/read_machine.h"
#include "transfer/write_machine.h"

bool TForm1::StartTransfer(q9tx::TransferMachine& machine)
{
    // One operation at a time: a command given meanwhile is ignored.
    if (!BeginOperation(q9tx::StatusReading))
        return false;
    NoteOutcome(QString());
    machine.limits.silence = std::chrono::milliseconds(transferSilenceLimit);
    machine.limits.verdict = std::chrono::milliseconds(verdictSilenceLimit);
    return true;
}

bool TForm1::transferRunning() const { return readMachine_->running() || writeMachine_->running(); }

void TForm1::ShowAction(int actionStatus)
{
    action->setText(q9tx::StatusText(actionStatus));
    setStatusText(action->text());
}

int TForm1::PagerMapVersion() const { return editor_->MapVersion(); }

bool TForm1::RecoveryMode() const { return Recover1->isChecked(); }

void TForm1::TransferFailed(int status)
{
    NoteOutcome(QStringLiteral("%1 failed: %2")
                    .arg(runningTransfer() == q9tx::RunningTransfer::Write ? QStringLiteral("write")
                                                                           : QStringLiteral("read"),
                         q9tx::StatusText(status)));
    showStatus(status);
}

void TForm1::TransferEnded()
{
    writeInProgress = false;
    EndOperation();
    UpdateLinkIndicator();
    CloseIfWaiting();
}

void TForm1::EndTransfer()
{
    // Also called by the disconnected look, which must not end a file operation.
    readMachine_->Abandon();
    writeMachine_->Abandon();
}
