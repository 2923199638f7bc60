#pragma once
// The settings editor: the factory panel and the four pages, each with the controls
// that show its settings and the rules that keep them consistent, and the rules that
// span pages. It shows a settings value, collects the one its controls hold, validates
// it and shows why it refuses one. It reaches the window only through EditorShell.

#include <optional>

#include <QObject>
#include <QString>

#include "image/config_image.h"

class QTabWidget;
class QWidget;

namespace q9tx {

class AddressesPage;
class EditorShell;
class FactoryPanel;
class GeneralPage;
class MessagesPage;
class SchedulePage;
struct WriteFactoryValues;

// Two panels that the window places: "settings", which holds the pages, and the
// factory panel, which stays hidden.
class SettingsEditor : public QObject {
    Q_OBJECT
public:
    // Builds the factory panel and the pages and attaches the rules that span pages;
    // both panels are widgets of `parent`.
    SettingsEditor(EditorShell& shell, QWidget* parent);

    FactoryPanel* factoryPanel() const { return factory_; }
    // The panel of the pages; the window disables it while an operation runs.
    QWidget* settingsPanel() const { return settings_; }
    AddressesPage& addressesPage() const { return *addresses_; }
    SchedulePage& schedulePage() const { return *schedule_; }
    MessagesPage& messagesPage() const { return *messages_; }
    GeneralPage& generalPage() const { return *general_; }

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

    QChar decimalSeparator() const;

    // Rules that span pages. The folder group is usable only while some address of rows
    // 1 to 4 has public storage.
    void FolderGroupRule();
    // Rows 5 to 8 store as the schedule says, and the schedule menu follows.
    void ScheduleUseRule();
    // The schedule menu is usable only while the schedule is in use and the settings
    // menu is open to the user.
    void ScheduleMenuRule();

    // Settings validation.
    bool ValidateSettings();
    // After ValidateSettings refused a save or write: unless the message of a refused
    // field is already in view, shows the first refused field's message, brings its page
    // to the front and gives it the focus.
    void ShowSettingsRefusal();

private:
    EditorShell& shell_;
    FactoryPanel* factory_ = nullptr;
    QWidget* settings_ = nullptr;
    QTabWidget* PageControl1 = nullptr;
    AddressesPage* addresses_ = nullptr;
    SchedulePage* schedule_ = nullptr;
    MessagesPage* messages_ = nullptr;
    GeneralPage* general_ = nullptr;
};

}  // namespace q9tx
