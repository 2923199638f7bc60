// The page "Messages": message options, canned texts and the public folders.

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include "editor/control_factory.h"
#include "editor/settings_editor.h"
#include "image/item_lists.h"

using namespace q9tx;

namespace {

constexpr int kFirstCannedLabel = 16;  // "Label16" to "Label19"
constexpr int kCannedLength = 16;
constexpr int kFolderNameLength = 9;
constexpr int kFolderSizeLength = 2;
constexpr int kFoldersPerColumn = 4;

const char kFunctionLetters[] = "ABCD";

}  // namespace

QWidget* SettingsEditor::BuildMessagesPage()
{
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("storage"));
    auto* column = new QVBoxLayout(page);

    messages = MakeGroup(page, QStringLiteral("messages"), QStringLiteral("Messages"),
                         QStringLiteral("Messages|Message options"));
    auto* options = new QGridLayout(messages);
    options->setVerticalSpacing(2);
    messageHoldTime = MakeDropDown(messages, QStringLiteral("messageHoldTime"),
                                   ItemTexts(kHoldTimeItems), 3);
    messageEncoding = MakeDropDown(messages, QStringLiteral("messageEncoding"),
                                   ItemTexts(kMessageEncodingItems),
                                   7, 13);
    repeatedFilter = MakeDropDown(messages, QStringLiteral("repeatedFilter"),
                                  ItemTexts(kRepeatedFilterItems), 0);
    repeatedRejectionTime = MakeDropDown(
        messages, QStringLiteral("repeatedRejectionTime"),
        ItemTexts(kRepeatedRejectionTimeItems), 0);
    unreadReminder = MakeDropDown(messages, QStringLiteral("unreadReminder"),
                                  ItemTexts(kUnreadReminderItems), 0);
    numReminders = MakeDropDown(messages, QStringLiteral("numReminders"),
                                ItemTexts(kNumRemindersItems),
                                0, 11);
    messageOps = MakeCheck(messages, QStringLiteral("messageOps"), QStringLiteral("Message operations menu"), false);
    keepUnreadWhenDeletingAll = MakeCheck(messages, QStringLiteral("keepUnreadWhenDeletingAll"),
                                          QStringLiteral("Erase all includes unread messages"), false);
    cannedMessages = MakeCheck(messages, QStringLiteral("cannedMessages"),
                               QStringLiteral("Subsitute tone-only with canned messages:"), false);
    for (int i = 0; i < kCannedCount; ++i) {
        cannedLabel[i] = MakeLabel(messages, QStringLiteral("Label%1").arg(kFirstCannedLabel + i),
                                   QString(QLatin1Char(kFunctionLetters[i])) + QLatin1Char(':'));
        canned[i] = MakeEdit(messages, QStringLiteral("canned%1").arg(i + 1), kCannedLength);
        cannedLabel[i]->setBuddy(canned[i]);
    }

    // Left: the drop-downs, label beside control; right: the menu and canned options.
    AddCaptioned(options, 0, 0, QStringLiteral("Message hold time:"), messageHoldTime);
    AddCaptioned(options, 1, 0, QStringLiteral("Transmitted text encoding:"), messageEncoding);
    AddCaptioned(options, 2, 0, QStringLiteral("Repeat call check:"), repeatedFilter);
    AddCaptioned(options, 3, 0, QStringLiteral("Duplicated message rejection:"), repeatedRejectionTime);
    AddCaptioned(options, 4, 0, QStringLiteral("Unread reminder duration:"), unreadReminder);
    AddCaptioned(options, 5, 0, QStringLiteral("repeating"), numReminders);
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

    folders = MakeGroup(page, QStringLiteral("folders"), QStringLiteral("Folders"),
                        QStringLiteral("Folders|Public folder names, sizes and options"));
    auto* folderColumn = new QVBoxLayout(folders);
    auto* folderOptions = new QHBoxLayout;
    ignorePublicMessages = MakeCheck(folders, QStringLiteral("ignorePublicMessages"),
                                     QStringLiteral("Ignore incoming public messages"), false);
    hideMessageNumber = MakeCheck(folders, QStringLiteral("hideMessageNumber"), QStringLiteral("Hide message numbers"),
                                  false);
    continuousMode = MakeDropDown(folders, QStringLiteral("continuousMode"),
                                  ItemTexts(kContinuousModeItems), 0);
    auto* modeLabel = MakeLabel(folders, {}, QStringLiteral("Folder mode:"));
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
        const QString number = QString::number(k + 1);
        const int baseColumn = (k / kFoldersPerColumn) * (kColumnsPerFolder + 1);
        const int row = k % kFoldersPerColumn + 1;
        if (row == 1) {
            grid->addWidget(MakeLabel(folders, {}, QStringLiteral("Title")), 0, baseColumn + 1);
            grid->addWidget(MakeLabel(folders, {}, QStringLiteral("Size")), 0, baseColumn + 2);
            if (baseColumn > 0)
                grid->setColumnMinimumWidth(baseColumn - 1, 8);
        }
        folderEn[k] = MakeCheck(folders, QStringLiteral("folderEn") + number, number + QLatin1Char(':'), true);
        folderName[k] = MakeEdit(folders, QStringLiteral("folderName") + number, kFolderNameLength,
                                 QStringLiteral("Folder %1").arg(k + 1, 2, 10, QLatin1Char('0')));
        folderSize[k] = MakeEdit(folders, QStringLiteral("folderSize") + number, kFolderSizeLength,
                                 QStringLiteral("1"));
        grid->addWidget(folderEn[k], row, baseColumn);
        grid->addWidget(folderName[k], row, baseColumn + 1);
        grid->addWidget(folderSize[k], row, baseColumn + 2);
    }
    folderColumn->addLayout(grid);
    column->addWidget(folders);
    column->addStretch(1);
    return page;
}
