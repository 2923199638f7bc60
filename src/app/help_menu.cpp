// The Help menu: recovery mode, which lets the user choose the PLL chip a write puts
// into the pager, the about box and the toolkit's own.

#include <QAction>
#include <QApplication>
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
        QStringLiteral("V%1 - programs the Q9TX alphanumeric pager.<br><br>"
                       "Copyright &copy; 2026 Q9TX Programmer developers<br><br>"
                       "Licence: <a href=\"https://www.gnu.org/licenses/gpl-3.0.html\">GPL-3.0-or-later</a>. "
                       "This program comes with ABSOLUTELY NO WARRANTY; it is free software, and you may "
                       "share and change it under the terms of that licence.")
            .arg(QStringLiteral(Q9TX_VERSION));
    if (AboutBox1) {
        AboutBox1(caption, text);
        return;
    }
    QMessageBox box(QMessageBox::Information, caption, text, QMessageBox::Ok, this);
    box.setTextFormat(Qt::RichText);
    box.setTextInteractionFlags(Qt::TextBrowserInteraction);
    box.exec();
}

void TForm1::AboutQt1Click() { QApplication::aboutQt(); }
