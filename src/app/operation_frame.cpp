// How the window looks while a file is loaded or saved or a transfer runs, and the
// rule that only one of them runs at a time.

#include <QLabel>
#include <QProgressBar>

#include "app/tform1.h"
#include "editor/settings_editor.h"
#include "editor/status_texts.h"

bool TForm1::BeginOperation(int actionStatus)
{
    if (operationRunning_)
        return false;
    RememberFocus();
    operationRunning_ = true;
    editor_->settingsPanel()->setEnabled(false);
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
    editor_->settingsPanel()->setEnabled(true);
    operationRunning_ = false;
    RestoreFocus();
}

void TForm1::AdvanceProgress(int step) { progressBar->setValue(progressBar->value() + step); }
