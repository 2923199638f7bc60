// The Help menu: recovery mode, which lets the user choose the PLL chip a write puts
// into the pager, and the about box.

#include <QAction>
#include <QGuiApplication>
#include <QMessageBox>

#include "app/tform1.h"
#include "editor/settings_editor.h"

void TForm1::Recover1Click()
{
    // Recover1 is a check item: the toolkit has inverted its mark before this runs.
    editor_->SetPllChipChoosable(Recover1->isChecked());
}

void TForm1::About1Click()
{
    const QString caption = QGuiApplication::applicationDisplayName();
    const QString text =
        QStringLiteral("V%1 - programs the Q9TX alphanumeric pager.").arg(QStringLiteral(Q9TX_VERSION));
    if (AboutBox1)
        AboutBox1(caption, text);
    else
        QMessageBox::information(this, caption, text);
}
