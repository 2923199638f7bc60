// How the window looks while a file is loaded or saved or a transfer runs, and the
// rule that only one of them runs at a time.

#include <QLabel>
#include <QProgressBar>

#include "app/status_texts.h"
#include "app/tform1.h"

bool TForm1::BeginOperation(int actionStatus)
{
    if (operationRunning_)
        return false;
    RememberFocus();
    operationRunning_ = true;
    settings->setEnabled(false);
    progressBar->setValue(0);
    action->setText(q9tx::StatusText(actionStatus));
    progress->show();
    // No event is handled until the operation's step ends.
    progress->repaint();
    return true;
}

void TForm1::EndOperation()
{
    progress->hide();
    settings->setEnabled(true);
    operationRunning_ = false;
    RestoreFocus();
}

void TForm1::AdvanceProgress(int step) { progressBar->setValue(progressBar->value() + step); }
