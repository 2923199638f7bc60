#pragma once
// The settings editor: the factory panel and the four pages with every control that
// shows a setting, and the rules that keep them consistent. It shows a settings value,
// collects the one its controls hold, validates it and shows why it refuses one. It
// reaches the window only through EditorShell.
//
// Families of controls are arrays indexed from 0: address[0] is "address1",
// format[7][3] is "format8D", urgentTarget[0][0] is "urgent1A". Family handlers take
// the same index.

#include <array>
#include <optional>

#include <QString>
#include <QObject>

#include "image/config_image.h"

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QTabWidget;

namespace q9tx {

class EditorShell;
class FieldEvents;
class UpDownButton;
struct WriteFactoryValues;

// Two panels that the window places: "settings", which holds the pages, and the
// factory panel, which stays hidden.
class SettingsEditor : public QObject {
    Q_OBJECT
public:
    // The families of controls are those of the image.
    static constexpr int kAddressCount = kSlotCount;
    static constexpr int kFunctionCount = kSubAddressCount;  // A to D
    static constexpr int kStorageChoiceCount = kSlotsWithStorage;
    static constexpr int kDayCount = q9tx::kDayCount;
    static constexpr int kCannedCount = q9tx::kCannedCount;
    static constexpr int kFolderCount = q9tx::kFolderCount;
    static constexpr int kToneCount = q9tx::kToneCount;

    // Builds the factory panel and the pages and attaches the rules; both panels are
    // widgets of `parent`.
    SettingsEditor(EditorShell& shell, QWidget* parent);

    QWidget* factoryPanel() const { return factory; }
    // The panel of the pages; the window disables it while an operation runs.
    QWidget* settingsPanel() const { return settings; }
    // Sets the start-up values and runs the rules that depend on them.
    void ShowStartUpValues();

    // The pager the link identified: its firmware, map version and whether it knows
    // escalating alerts; or none.
    void ShowPager(const QString& firmwareText, int mapVersionIndex, bool escalatingAlertsKnown);
    void ShowNoPager();
    // The pager's information text, shown while the mouse rests on the firmware.
    void ShowPagerInformation(const QString& text);
    int MapVersion() const;
    // In recovery mode the user chooses the PLL chip that a write puts into the pager.
    void SetPllChipChoosable(bool choosable);
    // The factory values a write takes from the pager.
    void TakeFactoryValues(const WriteFactoryValues& values);
    // The pager's chip cannot take the editor's frequency: the field says so too.
    void RefuseFrequency();
    // Counts the addresses up after a completed write and tests each one it moved.
    void AdvanceAddresses();

    // The image of the editor's settings around a pager's header, or around a header of
    // this program's own when there is none. Changes nothing in the editor. Throws
    // ConversionError for a numeric text that holds no number (a folder size, say),
    // StatusError(1600) when the frequency cannot be set for the chip the image is built
    // for and StatusError(1502) for a time of an "Enabled" day that holds no clock value;
    // no image is produced then.
    ConfigImage EncodeImage(const std::optional<ImageHeader>& header) const;
    // Fills every control the image feeds and runs the editor's rules once. The image
    // must have passed ValidateImage.
    void DecodeImage(const ConfigImage& image);

    // The status number's text in the status bar, and any text.
    void showStatus(int number);
    void setStatusText(const QString& text);
    QString statusText() const;
    QChar decimalSeparator() const;

    // Address rules.
    void AddrEnClick(int n);
    void StorageChange(int n);
    void StorageExit();
    void AddressChange(int n);
    void AddressExit(int n);
    bool NumericKeyPress(QChar key);
    void FixedNumberExit(QLineEdit* field);

    // Schedule rules.
    void UseScheduleClick();
    void PeriodChange(int day);
    void TimeStringExit(QLineEdit* field);
    bool CheckSchedule();
    // False, with the refused fields marked, the schedule page in front and "Illegal
    // value." shown, when an "Enabled" day's time field holds no complete time.
    bool TimesCanBeStored();

    // Message and folder rules.
    void UnreadReminderChange();
    void MessageOpsClick();
    void CannedMessageClick();
    void FolderEnClick(int k);
    void FixedStringExit(QLineEdit* field);
    // The folder-group rule that StorageExit runs: the group is usable only while some
    // address of rows 1 to 4 has public storage.
    void FolderGroupRule();

    // Free texts that the image stores one byte per character:
    // their edits refuse characters without a single-byte form. Run once by WireEditorRules.
    void RefuseMultiByteCharacters();

    // General, alert, decoder and RF rules.
    void DisplayHoldTimeEnter();
    void DisplayHoldTimeExit();
    void ContrastEnter();
    void ContrastExit();
    void RangeHoldTimeEnter();
    void RangeHoldTimeExit();
    void FixedAlertModeChange();
    bool TonePatternKeyPress(QChar key);
    void TonePatternExit(QLineEdit* field);
    void SetupChange();
    bool FrequencyKeyPress(QChar key);
    void FrequencyExit();
    void BS1Exit();
    void BS3Exit();

    // Settings validation.
    bool ValidateSettings();
    // After ValidateSettings refused a save or write: unless the message of a refused
    // field is already in view, shows the first refused field's message, brings its page
    // to the front and gives it the focus.
    void ShowSettingsRefusal();

    // Capcode tests of the address rules: a legal
    // capcode, and one that no other capcode field holds. IsLegalCapcode throws
    // q9tx::ConversionError for a text that is not a whole number.
    bool IsLegalCapcode(const QLineEdit* field) const;
    bool IsFreeCapcode(const QLineEdit* field) const;

    // The seven tone fields in the inventory's order: A, B, C, D, power on, urgent, warning.
    std::array<QLineEdit*, kToneCount> tonePatterns() const;

    // ---- Controls, named as the rest of the system refers to them. ----

    QWidget* factory = nullptr;
    QWidget* settings = nullptr;
    QTabWidget* PageControl1 = nullptr;
    QWidget* channels = nullptr;
    QWidget* timefilters = nullptr;
    QWidget* storagePage = nullptr;  // the page named "storage"
    QWidget* general = nullptr;

    // Factory panel.
    QComboBox* customerId = nullptr;
    QComboBox* mapVersion = nullptr;
    QComboBox* lcdGain = nullptr;
    QComboBox* overheat = nullptr;
    QLabel* date = nullptr;
    QLineEdit* comment = nullptr;
    QLineEdit* bs1 = nullptr;
    QLineEdit* bs3 = nullptr;
    QComboBox* filterStrength = nullptr;
    QComboBox* preambleError = nullptr;
    QCheckBox* bs2Option = nullptr;

    // Page "Addresses".
    QGroupBox* addresses = nullptr;
    std::array<QCheckBox*, kAddressCount> addrEn{};
    std::array<QLineEdit*, kAddressCount> address{};
    std::array<QLabel*, kAddressCount> frame{};
    std::array<QComboBox*, kAddressCount> autoInc{};
    std::array<QComboBox*, kStorageChoiceCount> storage{};       // "storage1" to "storage4"
    std::array<QLabel*, kStorageChoiceCount> storageLabel{};     // "storage5" to "storage8"
    std::array<std::array<QComboBox*, kFunctionCount>, kAddressCount> format{};
    QGroupBox* urgent = nullptr;
    std::array<std::array<QCheckBox*, kFunctionCount>, kAddressCount> urgentTarget{};  // "urgent1A".."urgent8D"

    // Page "Schedule".
    QGroupBox* timetable = nullptr;
    QCheckBox* useSchedule = nullptr;
    std::array<QLabel*, kDayCount> dayLabel{};  // "Label55", "Label57", ... "Label67"
    std::array<QComboBox*, kDayCount> period{};
    std::array<QLineEdit*, kDayCount> start{};
    std::array<QLabel*, kDayCount> toLabel{};  // "Label56", "Label58", ... "Label68"
    std::array<QLineEdit*, kDayCount> finish{};
    std::array<QCheckBox*, kDayCount> nightShift{};

    // Page "Messages".
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

    // Page "General".
    QLabel* firmware = nullptr;
    QLineEdit* serialNum = nullptr;
    QCheckBox* serialInc = nullptr;
    QGroupBox* misc = nullptr;
    QLineEdit* banner = nullptr;
    QLineEdit* displayHoldTime = nullptr;
    q9tx::UpDownButton* displayHoldTimeUpDown = nullptr;
    QLineEdit* lcdBaseContrast = nullptr;
    q9tx::UpDownButton* lcdBaseContrastUpDown = nullptr;
    QComboBox* menuLanguage = nullptr;
    QComboBox* dateFormat = nullptr;
    QComboBox* timeFormat = nullptr;
    QLineEdit* rangeHoldTime = nullptr;
    q9tx::UpDownButton* rangeHoldTimeUpDown = nullptr;
    QCheckBox* handProg = nullptr;
    QLineEdit* passcode = nullptr;
    QGroupBox* alerts = nullptr;
    QComboBox* alertDuration = nullptr;
    QComboBox* fixedAlertMode = nullptr;
    QCheckBox* muteOption = nullptr;
    QCheckBox* escalatingAlerts = nullptr;
    QCheckBox* flashingAlerts = nullptr;
    QCheckBox* lowBattAlertDelay = nullptr;
    QCheckBox* nightMode = nullptr;
    QLineEdit* toneA = nullptr;
    QLineEdit* toneB = nullptr;
    QLineEdit* toneC = nullptr;
    QLineEdit* toneD = nullptr;
    QLineEdit* tonePowerOn = nullptr;
    QLineEdit* toneUrgent = nullptr;
    QLineEdit* toneWarning = nullptr;
    QGroupBox* decoder = nullptr;
    QComboBox* baudrate = nullptr;
    QComboBox* polarity = nullptr;
    QGroupBox* rf = nullptr;
    QComboBox* pllChip = nullptr;
    QLineEdit* frequency = nullptr;
    QLabel* Label54 = nullptr;
    QComboBox* channelSpacing = nullptr;
    QGroupBox* menus = nullptr;
    QCheckBox* setup = nullptr;
    QCheckBox* schedule = nullptr;
    QCheckBox* textSize = nullptr;
    QCheckBox* powerOff = nullptr;

private:
    QWidget* BuildFactoryPanel();
    QWidget* BuildAddressesPage();
    QWidget* BuildSchedulePage();
    QWidget* BuildMessagesPage();
    QWidget* BuildGeneralPage();
    // Attaches the editor's rules to their controls.
    void WireEditorRules();
    FieldEvents& fieldEvents();

    EditorShell& shell_;
};

}  // namespace q9tx
