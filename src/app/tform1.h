#pragma once
// The one main window, the shell around the settings editor (src/editor): the menus,
// the progress and status display, the timer that drives the link, the handler of the
// link's messages, the transfers and the settings files.

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>

#include <QMainWindow>
#include <QMessageBox>
#include <QPointer>
#include <QString>

#include "app/close_guard.h"
#include "app/link_indicator_text.h"
#include "editor/editor_shell.h"
#include "image/config_image.h"
#include "link/link_control.h"
#include "link/link_messages.h"
#include "link/serial_port_catalog.h"
#include "transfer/transfer_report.h"

class QAction;
class QLabel;
class QMenu;
class QMenuBar;
class QProgressBar;
class QStatusBar;
class QTimer;

namespace q9tx {
class FieldEvents;
class UnsavedChanges;
class ReadMachine;
class SettingsEditor;
class TransferMachine;
class WriteMachine;
}  // namespace q9tx

class TForm1 : public QMainWindow,
               public q9tx::MessageSink,
               public q9tx::EditorShell,
               private q9tx::TransferReport {
    Q_OBJECT
public:
    // What the timer calls on each tick; empty for none.
    using TickRoutine = std::function<void()>;

    // The families of controls are those of the image.
    static constexpr int kAddressCount = q9tx::kSlotCount;
    static constexpr int kFunctionCount = q9tx::kSubAddressCount;  // A to D
    static constexpr int kStorageChoiceCount = q9tx::kSlotsWithStorage;
    static constexpr int kDayCount = q9tx::kDayCount;
    static constexpr int kCannedCount = q9tx::kCannedCount;
    static constexpr int kFolderCount = q9tx::kFolderCount;
    static constexpr int kToneCount = q9tx::kToneCount;
    // Payload byte count of an identification reply that the window can show.
    static constexpr int kIdentificationLength = 6;

    explicit TForm1(q9tx::LinkControl& link, QWidget* parent = nullptr);
    ~TForm1() override;

    // MessageSink: posts the message to this window's event queue.
    void postMessage(const q9tx::WindowMessage& message) override;

    // The simple text of StatusBar1. A hint shown while the mouse rests on a control
    // covers it only for that time.
    void setStatusText(const QString& text) override;
    QString statusText() const override;
    // The status text of a status number.
    void showStatus(int number);

    // The decimal separator of the user's locale, read at construction.
    QChar decimalSeparator() const override { return decimalSeparator_; }
    q9tx::FieldEvents& fieldEvents() override { return *fieldEvents_; }
    q9tx::LinkControl& link() { return link_; }

    // Shell.
    void ArmTimer(std::uint16_t interval, TickRoutine routine);
    void Timer1Timer();
    void ShowLinkState(const q9tx::WindowMessage* reply, bool enable);
    void ShowPagerInfo(const q9tx::WindowMessage& reply);
    void Exit1Click();
    void About1Click();
    void AboutQt1Click();

    // Menu commands, transfers and settings files (src/transfer, src/app).
    void Open1Click();
    void Save1Click();
    // Shows where a settings file differs from the editor; changes nothing in the editor.
    void Compare1Click();
    void ReadFromPager1Click();
    void WriteToPager1Click();
    void Recover1Click();
    void ReadTransferStep(std::uint16_t code, const q9tx::WindowMessage* block);
    void WriteTransferStep(std::uint16_t code, const q9tx::WindowMessage* block);
    void LoadSettingsFile(const QString& fileName);
    // Called by the disconnected look after it has hidden the progress panel and
    // enabled the editor: the transfer under way releases what it holds.
    void EndTransfer();

    // Validation of the editor's settings: false, with the refused fields marked, when
    // they may not be saved or written.
    bool ValidateSettings();
    // After ValidateSettings refused a save or write: unless the message of a refused
    // field is already in view, shows the first refused field's message, brings its page
    // to the front and gives it the focus.
    void ShowSettingsRefusal();

    // The editor: the factory panel and the pages with their rules.
    q9tx::SettingsEditor& editor() { return *editor_; }

    // ---- Controls of the window's frame. ----

    QWidget* progress = nullptr;
    QLabel* action = nullptr;
    QProgressBar* progressBar = nullptr;
    QStatusBar* StatusBar1 = nullptr;
    QLabel* banner1 = nullptr;
    QTimer* Timer1 = nullptr;

    // Menus.
    QMenuBar* MainMenu1 = nullptr;
    QMenu* File1 = nullptr;
    QAction* Open1 = nullptr;
    QAction* Save1 = nullptr;
    QAction* Compare1 = nullptr;
    QAction* N1 = nullptr;
    QAction* Exit1 = nullptr;
    QAction* ReadFromPager1 = nullptr;
    QAction* WriteToPager1 = nullptr;
    QMenu* Help1 = nullptr;
    QAction* Recover1 = nullptr;
    QAction* N2 = nullptr;
    QAction* About1 = nullptr;
    QAction* AboutQt1 = nullptr;

    // Data the window keeps besides its controls.
    bool writeInProgress = false;              // block data belongs to a write
    QString currentFileName = QStringLiteral("Settings.bin");

    // ---- Image conversion (handed to the editor), settings files and the
    //      operation frame (src/app/settings_files.cpp, operation_frame.cpp). ----

    // The image of the editor's settings around a pager's header, or around a header of
    // this program's own when there is none. Changes nothing in the editor. Throws
    // q9tx::ConversionError for a numeric text that holds no number (a folder size, say),
    // q9tx::StatusError(1600) when the frequency cannot be set for the chip the image is
    // built for and q9tx::StatusError(1502) for a time of an "Enabled" day that holds no
    // clock value; no image is produced then.
    q9tx::ConfigImage EncodeImage(const std::optional<q9tx::ImageHeader>& header) const;
    // Fills every control the image feeds and runs the editor's rules once. The image
    // must have passed ValidateImage.
    void DecodeImage(const q9tx::ConfigImage& image);
    void ReadSettingsFile(const QString& fileName);

    // A file dialog: gets the proposed path, returns the confirmed one or nothing when
    // the user cancels. Empty members use the toolkit's dialogs; tests set their own.
    using FileDialog = std::function<std::optional<QString>(const QString& proposed)>;
    FileDialog OpenDialog1;
    FileDialog SaveDialog1;
    // The box that shows a comparison: caption and text. Empty uses a dialog of the
    // toolkit's; tests set their own.
    using ComparisonBox = std::function<void(const QString& caption, const QString& text)>;
    ComparisonBox ComparisonBox1;

    // The open dialog, proposing currentFileName; the confirmed path or nothing.
    std::optional<QString> RunOpenDialog();
    // Whether a path names a file that loading takes: its extension is ".bin" in any case.
    static bool IsSettingsFileName(const QString& path);

    // Loading, saving and the transfers run one at a time inside this frame. Begin
    // disables the editor, shows the progress panel with the action's status text and
    // returns true; it returns false, changing nothing, while another operation runs.
    bool BeginOperation(int actionStatus);
    // Hides the progress panel and enables the editor again.
    void EndOperation();
    bool operationRunning() const { return operationRunning_; }
    // Moves the progress bar on by `step`.
    void AdvanceProgress(int step) override;

    // ---- Transfers with the pager and the Help menu (src/transfer/). ----

    // The about box: caption and its text, which may hold a link. Empty uses the toolkit's message box;
    // tests set their own.
    using AboutBox = std::function<void(const QString& caption, const QString& text)>;
    AboutBox AboutBox1;
    // A read from or a write to the pager is under way.
    bool transferRunning() const;
    // How long a transfer may go without any block or acknowledgement before it gives up.
    // The link notices a lost reply within two seconds; this is the last resort for what
    // it cannot see: a lost verdict while keep-alives are answered, or a reply lost while
    // the link identifies the pager again after a device change.
    int transferSilenceLimit = 30000;  // milliseconds
    // Once the pager says it is verifying, its verdict may take far longer: the link's
    // keep-alive, answered meanwhile, shows the pager is still there, and reports it lost
    // within two seconds when it is not.
    int verdictSilenceLimit = 120000;  // milliseconds

    // ---- Closing, unsaved changes, the link indicator, the Port menu and the focus
    //      (src/app/window_closing.cpp, unsaved_question.cpp, link_indicator.cpp,
    //      port_menu.cpp, focus_return.cpp). ----

    // A question with the toolkit's standard buttons; returns the one chosen. Empty uses
    // the toolkit's message box; tests set their own.
    using QuestionBox = std::function<QMessageBox::StandardButton(const QString& caption, const QString& text,
                                                                  QMessageBox::StandardButtons buttons)>;
    QuestionBox QuestionBox1;
    QMessageBox::StandardButton Ask(const QString& caption, const QString& text, QMessageBox::StandardButtons buttons);
    // The user changed the editor since its settings were last loaded, read, saved or written.
    bool settingsModified() const;
    // Before the editor's settings are replaced or closed (`before`: "closing"): true when
    // nothing was changed or the user saved or let the changes go.
    bool MayDiscardEdits(const QString& before);
    // The serial ports the Port menu offers. Empty lists those of the system; tests and
    // the start-up (for ports named on the command line) set their own.
    using PortCatalog = std::function<std::vector<q9tx::SerialPortEntry>()>;
    PortCatalog PortCatalog1;
    // The link uses only this port from now on; empty for the adapters found by themselves.
    void ChoosePort(const QString& name);
    QString chosenPort() const { return chosenPort_; }
    QMenu* Port1 = nullptr;
    QLabel* linkIndicator = nullptr;

protected:
    bool event(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    // Building the window (src/app/window_frame.cpp, main_menu.cpp).
    void BuildMainMenu();
    void BuildWindowFrame();
    void RunConstructionSteps();

    void HandleWindowMessage(const q9tx::WindowMessage& message);
    void HandlePagerLink(const q9tx::WindowMessage& message);
    void ShowPortProblem(const q9tx::WindowMessage& message);

    q9tx::LinkControl& link_;
    q9tx::FieldEvents* fieldEvents_ = nullptr;
    q9tx::SettingsEditor* editor_ = nullptr;
    QLabel* simpleText_ = nullptr;
    TickRoutine tickRoutine_;
    QChar decimalSeparator_{QLatin1Char('.')};
    bool operationRunning_ = false;

    // Transfers (src/transfer/): the machines run them, the window shows them.
    // Begins the operation frame and hands the machine its limits; false while another
    // operation runs.
    bool StartTransfer(q9tx::TransferMachine& machine);
    // The action label and, as a copy, the status bar.
    void ShowAction(int actionStatus) override;
    int PagerMapVersion() const override;
    bool RecoveryMode() const override;
    q9tx::ConfigImage WriteImage(const q9tx::ImageHeader& header, const q9tx::WriteFactoryValues& values) override;
    void ReadCompleted(const q9tx::ConfigImage& image) override;
    void WriteCompleted() override;
    void TransferFailed(int status) override;
    void TransferEnded() override;
    std::unique_ptr<q9tx::ReadMachine> readMachine_;
    std::unique_ptr<q9tx::WriteMachine> writeMachine_;

    // Closing, unsaved changes, the link indicator, the Port menu and the focus.
    q9tx::RunningTransfer runningTransfer() const;
    void CloseIfWaiting();
    // The editor's settings are those of `fileName` (empty: of no file) and unchanged.
    void SettingsKept(const QString& fileName);
    void WatchForUnsavedChanges();
    void BuildLinkIndicator();
    void NoteLinkMessage(const q9tx::WindowMessage& message);
    void NoteOutcome(const QString& outcome);
    void UpdateLinkIndicator();
    void BuildPortMenu();
    void FillPortMenu();
    void RememberFocus();
    void RestoreFocus();
    q9tx::CloseGuard closeGuard_;
    q9tx::UnsavedChanges* unsaved_ = nullptr;
    q9tx::LinkView linkView_;
    QString chosenPort_;
    QPointer<QWidget> focusBefore_;
};
