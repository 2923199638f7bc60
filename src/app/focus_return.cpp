// The control that had the focus before a read, write, open, save or compare has it again
// afterwards, so that the keyboard goes on where it was.

#include <QApplication>
#include <QMenuBar>

#include "app/tform1.h"

void TForm1::RememberFocus()
{
    if (focusBefore_)
        return;
    QWidget* focus = QApplication::focusWidget();
    if (focus && focus->window() == this && !qobject_cast<QMenuBar*>(focus))
        focusBefore_ = focus;
}

void TForm1::RestoreFocus()
{
    if (operationRunning())
        return;
    QWidget* focus = focusBefore_;
    focusBefore_ = nullptr;
    if (focus && focus->isEnabled() && focus->isVisible())
        focus->setFocus(Qt::OtherFocusReason);
}
