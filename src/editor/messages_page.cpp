// The page "Messages": how it is laid out and which rule each control runs.

#include "editor/messages_page.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include "editor/control_factory.h"
#include "image/pager_settings.h"

namespace q9tx {
namespace {

constexpr int kFirstCannedLabel = 16;  // "Label16" to "Label19"
constexpr int kFoldersPerColumn = 4;
// How many items the longer lists show at once.
constexpr int kEncodingLines = 13;
constexpr int kReminderLines = 11;

const char kFunctionLetters[] = "ABCD";

}  // namespace

MessagesPage::MessagesPage(EditorShell& shell) : EditorPanel(shell, QStringLiteral("storage"))
{
    auto* column = new QVBoxLayout(this);

    messages = MakeSettingGroup(this, "Messages");
    auto* options = new QGridLayout(messages);
    options->setVerticalSpacing(2);
    messageHoldTime = MakeSettingDropDown(messages, "messageHoldTime");
    messageEncoding = MakeSettingDropDown(messages, "messageEncoding", kEncodingLines);
    repeatedFilter = MakeSettingDropDown(messages, "repeatedFilter");
    repeatedRejectionTime = MakeSettingDropDown(messages, "repeatedRejectionTime");
    unreadReminder = MakeSettingDropDown(messages, "unreadReminder");
    numReminders = MakeSettingDropDown(messages, "numReminders", kReminderLines);
    messageOps = MakeSettingCheck(messages, "messageOps");
    keepUnreadWhenDeletingAll = MakeSettingCheck(messages, "keepUnreadWhenDeletingAll");
    // The check box introduces the texts below it.
    cannedMessages = MakeSettingCheck(messages, "cannedMessages", SettingCaption("cannedMessages") + QLatin1Char(':'));
    for (int i = 0; i < kCannedCount; ++i) {
        cannedLabel[i] = MakeLabel(messages, QStringLiteral("Label%1").arg(kFirstCannedLabel + i),
                                   QString(QLatin1Char(kFunctionLetters[i])) + QLatin1Char(':'));
        canned[i] = MakeSettingEdit(messages, Member("canned", i + 1));
        cannedLabel[i]->setBuddy(canned[i]);
    }

    // Left: the drop-downs, label beside control; right: the menu and canned options.
    int row = 0;
    for (QComboBox* list : {messageHoldTime, messageEncoding, repeatedFilter, repeatedRejectionTime, unreadReminder})
        AddCaptioned(options, row++, 0, list);
    // The reminder's repetitions read on from its duration.
    AddCaptioned(options, row, 0, QStringLiteral("repeating"), numReminders);
    options->addWidget(messageOps, 0, 3, 1, 2);
    options->addWidget(keepUnreadWhenDeletingAll, 1, 3, 1, 2);
    options->addWidget(cannedMessages, 2, 3, 1, 2);
    auto* cannedRows = new QGridLayout;
    for (int i = 0; i < kCannedCount; ++i) {
        cannedRows->addWidget(cannedLabel[i], i / 2, 2 * (i % 2));
        cannedRows->addWidget(canned[i], i / 2, 2 * (i % 2) + 1);
    }
    options->addLayout(cannedRows, 3, 3, 3, 2, Qt::AlignTop);
    options->setColumnMinimumWidth(2, 12);
    options->setColumnStretch(5, 1);
    column->addWidget(messages);

    folders = MakeSettingGroup(this, "Folders");
    auto* folderColumn = new QVBoxLayout(folders);
    auto* folderOptions = new QHBoxLayout;
    ignorePublicMessages = MakeSettingCheck(folders, "ignorePublicMessages");
    hideMessageNumber = MakeSettingCheck(folders, "hideMessageNumber");
    continuousMode = MakeSettingDropDown(folders, "continuousMode");
    auto* modeLabel = MakeLabel(folders, {}, SettingCaption("continuousMode") + QLatin1Char(':'));
    modeLabel->setBuddy(continuousMode);
    folderOptions->addWidget(ignorePublicMessages);
    folderOptions->addWidget(hideMessageNumber);
    folderOptions->addStretch(1);
    folderOptions->addWidget(modeLabel);
    folderOptions->addWidget(continuousMode);
    folderColumn->addLayout(folderOptions);

    // Four columns of four folders, each column headed "Title" and "Size".
    auto* grid = new QGridLayout;
    grid->setVerticalSpacing(2);
    constexpr int kColumnsPerFolder = 3;
    for (int k = 0; k < kFolderCount; ++k) {
        const int baseColumn = (k / kFoldersPerColumn) * (kColumnsPerFolder + 1);
        const int folderRow = k % kFoldersPerColumn + 1;
        if (folderRow == 1) {
            grid->addWidget(MakeLabel(folders, {}, QStringLiteral("Title")), 0, baseColumn + 1);
            grid->addWidget(MakeLabel(folders, {}, QStringLiteral("Size")), 0, baseColumn + 2);
            if (baseColumn > 0)
                grid->setColumnMinimumWidth(baseColumn - 1, 8);
        }
        // The folder's number is its caption.
        folderEn[k] = MakeSettingCheck(folders, Member("folderEn", k + 1), QString::number(k + 1) + QLatin1Char(':'));
        folderName[k] = MakeSettingEdit(folders, Member("folderName", k + 1));
        folderSize[k] = MakeSettingEdit(folders, Member("folderSize", k + 1));
        grid->addWidget(folderEn[k], folderRow, baseColumn);
        grid->addWidget(folderName[k], folderRow, baseColumn + 1);
        grid->addWidget(folderSize[k], folderRow, baseColumn + 2);
    }
    folderColumn->addLayout(grid);
    column->addWidget(folders);
    column->addStretch(1);
    WireRules();
}

void MessagesPage::WireRules()
{
    onChoice(unreadReminder, [this] { UnreadReminderChange(); });
    onToggle(messageOps, [this] { MessageOpsClick(); });
    onToggle(cannedMessages, [this] { CannedMessageClick(); });
    attachTextRules();
    for (int k = 0; k < kFolderCount; ++k) {
        onToggle(folderEn[k], [this, k] { FolderEnClick(k); });
        filterNumericKeys(folderSize[k]);
    }
}

}  // namespace q9tx
