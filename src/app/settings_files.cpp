// Settings files: one configuration image of 512 bytes, loaded with File, Open... or by
// dropping the file on the window, and saved with File, Save....

#include <algorithm>
#include <optional>

#include <QFileDialog>
#include <QFileInfo>
#include <QScopeGuard>

#include "app/tform1.h"
#include "editor/settings_editor.h"
#include "editor/status_texts.h"
#include "image/image_validation.h"
#include "image/path_bytes.h"
#include "image/settings_file_io.h"
#include "image/status_error.h"

using namespace q9tx;

namespace {

constexpr char kNameFilter[] = "Pager Settings (*.bin)";
constexpr char kDefaultSuffix[] = "bin";
constexpr const char* kAcceptedExtensions[] = {".bin"};

constexpr int kOpenedStep = 10;
constexpr int kReadStep = 80;
constexpr int kAppliedStep = 10;
constexpr int kCreatedStep = 20;
constexpr int kWrittenStep = 80;

std::optional<QString> RunToolkitDialog(QWidget* parent, QFileDialog::AcceptMode mode, const QString& proposed)
{
    QFileDialog dialog(parent);
    dialog.setAcceptMode(mode);
    // The open dialog takes a name that does not exist too; loading then reports it.
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilter(QString::fromLatin1(kNameFilter));
    if (mode == QFileDialog::AcceptSave) {
        dialog.setDefaultSuffix(QString::fromLatin1(kDefaultSuffix));
        dialog.setOption(QFileDialog::DontConfirmOverwrite);
    }
    dialog.selectFile(proposed);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return dialog.selectedFiles().front();
}

// From the last "." of the name after the last path delimiter, dot included; empty
// when the name has no dot.
QString ExtensionOf(const QString& path)
{
    const QString name = QFileInfo(path).fileName();
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    return dot < 0 ? QString() : name.mid(dot);
}

bool IsAcceptedExtension(const QString& extension)
{
    return std::any_of(std::begin(kAcceptedExtensions), std::end(kAcceptedExtensions), [&](const char* accepted) {
        return extension.compare(QLatin1String(accepted), Qt::CaseInsensitive) == 0;
    });
}

}  // namespace

void TForm1::Open1Click()
{
    if (operationRunning())
        return;
    RememberFocus();
    const auto focus = qScopeGuard([this] { RestoreFocus(); });
    if (!MayDiscardEdits(QStringLiteral("opening a file")))
        return;
    const std::optional<QString> chosen = RunOpenDialog();
    if (!chosen)
        return;
    currentFileName = ListedPath(*chosen);
    if (IsSettingsFileName(currentFileName))
        ReadSettingsFile(currentFileName);
}

std::optional<QString> TForm1::RunOpenDialog()
{
    return OpenDialog1 ? OpenDialog1(currentFileName) : RunToolkitDialog(this, QFileDialog::AcceptOpen, currentFileName);
}

bool TForm1::IsSettingsFileName(const QString& path) { return IsAcceptedExtension(ExtensionOf(path)); }

void TForm1::LoadSettingsFile(const QString& fileName)
{
    if (IsSettingsFileName(fileName) && MayDiscardEdits(QStringLiteral("loading %1").arg(fileName)))
        ReadSettingsFile(fileName);
}

void TForm1::ReadSettingsFile(const QString& fileName)
{
    if (!BeginOperation(StatusLoading))
        return;
    const auto end = qScopeGuard([this] { EndOperation(); });
    try {
        // Only a regular file is read: a pipe or a device named like a settings file
        // could keep the window waiting.
        const ConfigImage image = q9tx::ReadSettingsFile(PathBytes(fileName));
        AdvanceProgress(kOpenedStep);
        AdvanceProgress(kReadStep);
        ValidateImage(editor_->MapVersion(), image);
        DecodeImage(image);
        AdvanceProgress(kAppliedStep);
        setStatusText(StatusText(StatusLoadedFrom, fileName));
        SettingsKept(fileName);
        NoteOutcome(QString());
    } catch (const StatusError& error) {
        showStatus(error.number());
    }
}

void TForm1::Save1Click()
{
    if (operationRunning())
        return;
    if (!ValidateSettings()) {
        ShowSettingsRefusal();
        return;
    }
    ConfigImage image;
    try {
        image = EncodeImage(std::nullopt);
    } catch (const StatusError& error) {
        if (error.number() == StatusIllegalFrequency)
            editor_->RefuseFrequency();
        showStatus(error.number());
        return;
    }
    // A refusal above gives the focus to the refused field; from here on it comes back.
    RememberFocus();
    const auto focus = qScopeGuard([this] { RestoreFocus(); });
    const std::optional<QString> chosen =
        SaveDialog1 ? SaveDialog1(currentFileName) : RunToolkitDialog(this, QFileDialog::AcceptSave, currentFileName);
    if (!chosen)
        return;
    currentFileName = ListedPath(*chosen);
    if (!BeginOperation(StatusSaving))
        return;
    const auto end = qScopeGuard([this] { EndOperation(); });
    try {
        // Written beside the target and renamed over it only when complete, so a failed
        // save leaves an earlier file of that name as it was.
        WriteSettingsFile(PathBytes(currentFileName), image);
        AdvanceProgress(kCreatedStep);
        setStatusText(StatusText(StatusSavedTo, currentFileName));
        AdvanceProgress(kWrittenStep);
        SettingsKept(currentFileName);
    } catch (const StatusError& error) {
        showStatus(error.number());
    }
}
