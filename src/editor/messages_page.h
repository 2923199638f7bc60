#pragma once
// The page "Messages": message options, canned texts and the public folders, indexed
// from 0: folderEn[0] is "folderEn1", canned[0] is "canned1".

#include <array>

#include "editor/editor_panel.h"
#include "image/config_image.h"

class QGroupBox;
class QLabel;

namespace q9tx {

class MessagesPage : public EditorPanel {
    Q_OBJECT
public:
    static constexpr int kCannedCount = q9tx::kCannedCount;
    static constexpr int kFolderCount = q9tx::kFolderCount;

    explicit MessagesPage(EditorShell& shell);

    void UnreadReminderChange();
    void MessageOpsClick();
    void CannedMessageClick();
    void FolderEnClick(int k);
    // The folder-group rule's part on this page: the group is usable only while some
    // address of rows 1 to 4 has public storage (the editor tells which).
    void SetFoldersUsable(bool usable);
    // False, with the size's page in front and the reason shown, when the folders in
    // use have sizes the image cannot hold.
    bool FoldersCanBeStored();

    QGroupBox* messages = nullptr;
    QComboBox* messageHoldTime = nullptr;
    QComboBox* messageEncoding = nullptr;
    QComboBox* repeatedFilter = nullptr;
    QComboBox* repeatedRejectionTime = nullptr;
    QComboBox* unreadReminder = nullptr;
    QComboBox* numReminders = nullptr;
    QCheckBox* messageOps = nullptr;
    QCheckBox* keepUnreadWhenDeletingAll = nullptr;
    QCheckBox* cannedMessages = nullptr;
    std::array<QLabel*, kCannedCount> cannedLabel{};  // "Label16" to "Label19"
    std::array<QLineEdit*, kCannedCount> canned{};
    QGroupBox* folders = nullptr;
    QCheckBox* ignorePublicMessages = nullptr;
    QCheckBox* hideMessageNumber = nullptr;
    QComboBox* continuousMode = nullptr;
    std::array<QCheckBox*, kFolderCount> folderEn{};
    std::array<QLineEdit*, kFolderCount> folderName{};
    std::array<QLineEdit*, kFolderCount> folderSize{};

private:
    void WireRules();
};

}  // namespace q9tx
