// File, Compare with File...: the settings in which a settings file differs from the
// editor, in the words of the command line's diff. The editor is left as it is.

#include <vector>

#include <QDialog>
#include <QDialogButtonBox>
#include <QPlainTextEdit>
#include <QScopeGuard>
#include <QVBoxLayout>

#include "app/tform1.h"
#include "editor/settings_editor.h"
#include "editor/settings_view.h"
#include "editor/status_texts.h"
#include "image/image_validation.h"
#include "image/path_bytes.h"
#include "image/settings_conversion.h"
#include "image/settings_diff.h"
#include "image/settings_file_io.h"
#include "image/status_error.h"

using namespace q9tx;

namespace {

const QString kCaption = QStringLiteral("Compare with File");

QString ComparisonText(const QString& path, const std::vector<SettingDifference>& differences)
{
    if (differences.empty())
        return QStringLiteral("No differences: %1 holds the settings the editor shows.").arg(path);
    QString text = QStringLiteral("%1 differs from the editor in %2 (editor -> file):\n")
                       .arg(path, differences.size() == 1 ? QStringLiteral("1 setting")
                                                          : QStringLiteral("%1 settings").arg(differences.size()));
    for (const SettingDifference& difference : differences)
        text += u'\n' + QString::fromStdString(difference.line());
    return text;
}

void RunToolkitBox(QWidget* parent, const QString& caption, const QString& text)
{
    QDialog dialog(parent);
    dialog.setWindowTitle(caption);
    auto* layout = new QVBoxLayout(&dialog);
    // A list of hundreds of settings stays readable in a scrolling view.
    auto* view = new QPlainTextEdit(text, &dialog);
    view->setReadOnly(true);
    view->setLineWrapMode(QPlainTextEdit::NoWrap);
    view->setMinimumSize(560, 240);
    layout->addWidget(view);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, &dialog);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    layout->addWidget(buttons);
    dialog.exec();
}

}  // namespace

void TForm1::Compare1Click()
{
    if (operationRunning())
        return;
    RememberFocus();
    const auto focus = qScopeGuard([this] { RestoreFocus(); });
    // The file is only looked at: the name proposed for Open and Save stays.
    const std::optional<QString> chosen = RunOpenDialog();
    if (!chosen || !IsSettingsFileName(*chosen))
        return;
    const PagerSettings editor = CollectSettings(*editor_, UnreadableNumbers::Refuse);
    std::vector<SettingDifference> differences;
    try {
        const ConfigImage image = q9tx::ReadSettingsFile(PathBytes(ListedPath(*chosen)));
        ValidateImage(editor_->MapVersion(), image);
        // What the editor would show after loading the file, the editor's own values
        // kept where the file carries none.
        differences = DiffSettings(editor, DecodeSettings(image, editor));
    } catch (const StatusError& error) {
        showStatus(error.number());
        return;
    }
    setStatusText(QString());
    const QString text = ComparisonText(*chosen, differences);
    if (ComparisonBox1)
        ComparisonBox1(kCaption, text);
    else
        RunToolkitBox(this, kCaption, text);
}
