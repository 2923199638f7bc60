// The question before the editor's changed settings are replaced or closed, and the title
// that shows the settings file and whether the editor holds changes.

#include <QFileInfo>
#include <QGuiApplication>

#include "app/tform1.h"
#include "app/unsaved_changes.h"

using namespace q9tx;

namespace {

const QString kUnsavedCaption = QStringLiteral("Unsaved changes");

}  // namespace

QMessageBox::StandardButton TForm1::Ask(const QString& caption, const QString& text,
                                        QMessageBox::StandardButtons buttons)
{
    if (QuestionBox1)
        return QuestionBox1(caption, text, buttons);
    // The safe answer is the default one: keep the edits, keep writing.
    const QMessageBox::StandardButton safe =
        buttons.testFlag(QMessageBox::Cancel) ? QMessageBox::Cancel : QMessageBox::No;
    QMessageBox box(QMessageBox::Question, caption, text, buttons, this);
    box.setDefaultButton(buttons.testFlag(QMessageBox::Save) ? QMessageBox::Save : safe);
    box.setEscapeButton(safe);
    const int answer = box.exec();
    return answer == QMessageBox::NoButton ? safe : static_cast<QMessageBox::StandardButton>(answer);
}

bool TForm1::settingsModified() const { return unsaved_ && unsaved_->modified(); }

bool TForm1::MayDiscardEdits(const QString& before)
{
    if (!settingsModified())
        return true;
    const QString text = QStringLiteral(
                             "The settings in the editor have changed since they were last loaded, read, saved "
                             "or written.\n\nSave them before %1?")
                             .arg(before);
    switch (Ask(kUnsavedCaption, text, QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel)) {
    case QMessageBox::Discard:
        return true;
    case QMessageBox::Save:
        Save1Click();
        // A refused or cancelled save keeps the question's answer at Cancel.
        return !settingsModified();
    default:
        return false;
    }
}

void TForm1::SettingsKept(const QString& fileName)
{
    if (unsaved_)
        unsaved_->markSaved();
    setWindowFilePath(fileName);
    const QString application = QGuiApplication::applicationDisplayName();
    setWindowTitle(fileName.isEmpty() ? application + QStringLiteral("[*]")
                                      : QStringLiteral("%1[*] - %2").arg(QFileInfo(fileName).fileName(), application));
    setWindowModified(false);
}

void TForm1::WatchForUnsavedChanges()
{
    unsaved_ = new UnsavedChanges(centralWidget());
    connect(unsaved_, &UnsavedChanges::modifiedChanged, this, &QWidget::setWindowModified);
    SettingsKept(QString());
}
