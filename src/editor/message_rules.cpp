// Rules of the message options and the chained public folders.

#include <algorithm>
#include <array>
#include <cstdint>
#include <optional>

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>

#include "editor/messages_page.h"
#include "editor/text_conversion.h"
#include "image/folder_slots.h"
#include "image/item_lists.h"
#include "image/settings_rules.h"

using q9tx::FolderChain;
using q9tx::FolderTicks;
using q9tx::kReminderDisabled;
using q9tx::MessagesPage;

namespace {

FolderTicks ShownTicks(const MessagesPage& form)
{
    FolderTicks ticks{};
    std::transform(form.folderEn.begin(), form.folderEn.end(), ticks.begin(),
                   [](const QCheckBox* box) { return box->isChecked(); });
    return ticks;
}

// Folder 1's box is left to the group rule.
void ShowFolderChain(MessagesPage& form, const FolderChain& chain)
{
    // From the last folder up: each box unticked here runs its own rule, which then finds
    // every later folder unticked already; the enables below are the last word.
    for (int k = MessagesPage::kFolderCount - 1; k >= 0; --k)
        form.folderEn[std::size_t(k)]->setChecked(chain.inUse[std::size_t(k)]);
    for (std::size_t k = 0; k < chain.inUse.size(); ++k) {
        if (k > 0)
            form.folderEn[k]->setEnabled(chain.boxUsable[k]);
        form.folderName[k]->setEnabled(chain.fieldsUsable[k]);
        form.folderSize[k]->setEnabled(chain.fieldsUsable[k]);
    }
}

}  // namespace

void MessagesPage::UnreadReminderChange()
{
    // No selection (an image may hold a value beyond the list) counts as no reminder.
    numReminders->setEnabled(unreadReminder->currentIndex() > kReminderDisabled);
}

void MessagesPage::MessageOpsClick() { keepUnreadWhenDeletingAll->setEnabled(messageOps->isChecked()); }

void MessagesPage::CannedMessageClick()
{
    const bool substitute = cannedMessages->isChecked();
    for (int i = 0; i < kCannedCount; ++i) {
        canned[i]->setEnabled(substitute);
        cannedLabel[i]->setEnabled(substitute);
    }
}

void MessagesPage::SetFoldersUsable(bool usable)
{
    for (QWidget* control : {static_cast<QWidget*>(folders), static_cast<QWidget*>(continuousMode),
                             static_cast<QWidget*>(ignorePublicMessages), static_cast<QWidget*>(hideMessageNumber),
                             static_cast<QWidget*>(folderEn[0])})
        control->setEnabled(usable);
    // Also when folder 1 was already unticked and so ran no rule of its own.
    ShowFolderChain(*this, q9tx::FolderChainAfterStorage(ShownTicks(*this), usable));
}

void MessagesPage::FolderEnClick(int k)
{
    // Folder 1's box is the group rule's to set: it follows the storage choices only when
    // one of them is left.
    ShowFolderChain(*this, q9tx::FolderChainAfterClick(ShownTicks(*this), k + 1, folderEn[0]->isEnabledTo(folders)));
}

bool MessagesPage::FoldersCanBeStored()
{
    // Folder sizes carry no mark: a size whose range the image cannot hold is refused
    // here, where the user can make it smaller, instead of being saved as other folders.
    std::array<q9tx::FolderUse, kFolderCount> uses{};
    for (int k = 0; k < kFolderCount; ++k) {
        std::optional<std::int64_t> size;
        try {
            size = q9tx::TextToInt(folderSize[k]->text());
        } catch (const q9tx::ConversionError&) {
        }
        uses[k] = {folderEn[k]->isChecked(), size};
    }
    const std::optional<q9tx::FolderSlotsProblem> problem = q9tx::CheckFolderSlots(uses);
    if (!problem)
        return true;
    BringToFront(folderSize[problem->folder - 1]);
    setStatusText(QString::fromStdString(problem->message));
    return false;
}
