#include "app/tform1.h"

#include <QCoreApplication>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QLocale>
#include <QMimeData>
#include <QPalette>
#include <QProgressBar>
#include <QScopeGuard>
#include <QStatusBar>
#include <QTimer>
#include <QUrl>

#include "app/window_message_event.h"
#include "editor/accessible_names.h"
#include "editor/error_box.h"
#include "editor/field_events.h"
#include "editor/field_widths.h"
#include "editor/readable_red.h"
#include "editor/screen_fit.h"
#include "editor/settings_editor.h"
#include "editor/status_texts.h"
#include "editor/up_down_button.h"
#include "image/path_bytes.h"
#include "link/frame.h"
#include "link/port_problem_text.h"
#include "link/posix/device_group.h"
#include "link/serial_port.h"
#include "transfer/read_machine.h"
#include "transfer/write_machine.h"

using namespace q9tx;

namespace {

constexpr std::uint16_t kLinkTickInterval = 50;
constexpr std::uint16_t kStoppedInterval = 1000;
// Block data handed to the write transfer carries this code instead of the block's.
constexpr std::uint16_t kWriteBlockCode = WriteMachine::kHeaderArrived;

// The bytes after the length byte, at most as many as it says, ending at a zero byte.
QString PayloadText(const WindowMessage& message)
{
    QByteArray bytes;
    for (std::size_t i = 0; i < message.payloadLength() && i + 1 < message.frame.size(); ++i) {
        const std::uint8_t byte = message.payload(i);
        if (byte == 0)
            break;
        bytes.append(static_cast<char>(byte));
    }
    return QString::fromLatin1(bytes);
}

}  // namespace

TForm1::TForm1(LinkControl& link, QWidget* parent)
    : QMainWindow(parent),
      link_(link),
      fieldEvents_(new FieldEvents(this)),
      readMachine_(std::make_unique<ReadMachine>(link, static_cast<TransferReport&>(*this))),
      writeMachine_(std::make_unique<WriteMachine>(link, static_cast<TransferReport&>(*this)))
{
    setObjectName(QStringLiteral("Form1"));
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    connect(Timer1, &QTimer::timeout, this, [this] { Guarded([this] { Timer1Timer(); }); });

    // Read first, so that every rule sees the user's separator.
    const QString separator = QLocale().decimalPoint();
    if (!separator.isEmpty())
        decimalSeparator_ = separator.front();
    BuildMainMenu();
    BuildWindowFrame();
    RunConstructionSteps();
    // Closing, unsaved changes, the link indicator and the Port menu.
    BuildLinkIndicator();
    BuildPortMenu();
    WatchForUnsavedChanges();

    NameControls(this);
    FitFieldWidths(this);
    FitToScreen(this, true);
    KeepOnScreen(this, progress);
}

void TForm1::RunConstructionSteps()
{
    QGuiApplication::setApplicationDisplayName(QStringLiteral("Q9TX Programmer"));
    setWindowTitle(QGuiApplication::applicationDisplayName());
    QPalette actionPalette = action->palette();
    actionPalette.setColor(QPalette::WindowText, ReadableRed(actionPalette.color(QPalette::Window)));
    action->setPalette(actionPalette);
    banner1->hide();
    editor_->ShowStartUpValues();
    ShowLinkState(nullptr, false);

    link_.StartLink(this);
    // A drop anywhere on the window loads the file: no control takes it (an edit field
    // would take a dragged file's path as text), so every drop reaches the window.
    for (QWidget* control : findChildren<QWidget*>())
        control->setAcceptDrops(false);
    setAcceptDrops(true);
    ArmTimer(kLinkTickInterval, [this] { link_.LinkTick(); });
}

TForm1::~TForm1()
{
    // No rule may run on a window that is being taken apart.
    delete fieldEvents_;
    fieldEvents_ = nullptr;
    setAcceptDrops(false);
    Timer1->stop();
    Guarded([this] { link_.StopLink(); });
}

void TForm1::postMessage(const WindowMessage& message)
{
    QCoreApplication::postEvent(this, new WindowMessageEvent(message));
}

void TForm1::setStatusText(const QString& text)
{
    simpleText_->setText(text);
    AnnounceStatus(this, simpleText_, text);
}

QString TForm1::statusText() const { return simpleText_->text(); }

void TForm1::showStatus(int number) { setStatusText(StatusText(number)); }

void TForm1::ArmTimer(std::uint16_t interval, TickRoutine routine)
{
    Timer1->stop();
    Timer1->setInterval(interval);
    tickRoutine_ = std::move(routine);
    if (tickRoutine_)
        Timer1->start();
}

void TForm1::Timer1Timer()
{
    // A copy: the routine may re-arm the timer with another one.
    const TickRoutine routine = tickRoutine_;
    if (routine)
        routine();
    UpdateLinkIndicator();
}

void TForm1::Exit1Click() { close(); }

ConfigImage TForm1::EncodeImage(const std::optional<ImageHeader>& header) const { return editor_->EncodeImage(header); }

void TForm1::DecodeImage(const ConfigImage& image) { editor_->DecodeImage(image); }

bool TForm1::ValidateSettings() { return editor_->ValidateSettings(); }

void TForm1::ShowSettingsRefusal() { editor_->ShowSettingsRefusal(); }

bool TForm1::event(QEvent* event)
{
    if (event->type() == static_cast<QEvent::Type>(WM_DEVICECHANGE) || event->type() >= QEvent::User) {
        if (const auto* message = dynamic_cast<const WindowMessageEvent*>(event)) {
            Guarded([&] { HandleWindowMessage(message->message()); });
            return true;
        }
    }
    return QMainWindow::event(event);
}

void TForm1::HandleWindowMessage(const WindowMessage& message)
{
    NoteLinkMessage(message);
    const auto showLink = qScopeGuard([this] { UpdateLinkIndicator(); });
    if (link_.HandleDeviceEvent(message))
        ArmTimer(kLinkTickInterval, [this] { link_.LinkTick(); });
    switch (message.message) {
    case WM_PAGER_LINK:
        HandlePagerLink(message);
        break;
    case WM_PAGER_BLOCK:
        if (writeInProgress)
            WriteTransferStep(kWriteBlockCode, &message);
        else
            ReadTransferStep(static_cast<std::uint16_t>(message.code), &message);
        break;
    case WM_PAGER_ACK:
        WriteTransferStep(static_cast<std::uint16_t>(message.code), nullptr);
        break;
    case WM_PAGER_PORT_PROBLEM:
        ShowPortProblem(message);
        break;
    default:
        break;
    }
}

void TForm1::HandlePagerLink(const WindowMessage& message)
{
    switch (message.code) {
    case LinkNoAdapter:
        ArmTimer(kStoppedInterval, {});
        // Said only where nothing else is said: a port problem or a pager lost stays.
        if (statusText().isEmpty())
            setStatusText(QStringLiteral(
                "No USB-serial cable found. Connect the cable, or choose its port in the Port menu "
                "(q9tx: --port)."));
        break;
    case LinkPagerSupported:
        ShowLinkState(&message, true);
        showStatus(StatusPagerConnected);
        break;
    case LinkMapVersionTooNew:
        ShowLinkState(&message, false);
        showStatus(StatusFirmwareTooNew);
        break;
    case LinkPagerUnsupported:
        showStatus(StatusPagerUnsupported);
        break;
    case LinkPagerLost:
        ShowLinkState(nullptr, false);
        showStatus(StatusPagerDisconnected);
        break;
    case LinkInformationText:
        ShowPagerInfo(message);
        break;
    default:
        break;
    }
}

void TForm1::ShowLinkState(const WindowMessage* reply, bool enable)
{
    if (reply && reply->payloadLength() >= kIdentificationLength) {
        const std::uint8_t firmwareNumber = reply->payload(4);
        const std::uint8_t firmwareVersion = reply->payload(5);
        const int featureWord = reply->payload(1) * 256 + reply->payload(2);
        editor_->ShowPager(firmwareVersion != 0 ? QStringLiteral("V%1").arg(firmwareVersion)
                                                : QStringLiteral("D%1").arg(firmwareNumber),
                           reply->payload(1), featureWord != 0);
        link_.SendFrame(CmdInformationText, nullptr, 0);
        ReadFromPager1->setEnabled(enable);
        WriteToPager1->setEnabled(enable);
        return;
    }
    editor_->ShowNoPager();
    progress->hide();
    editor_->settingsPanel()->setEnabled(true);
    EndTransfer();
    writeInProgress = false;
    ReadFromPager1->setEnabled(false);
    WriteToPager1->setEnabled(false);
}

void TForm1::ShowPagerInfo(const WindowMessage& reply)
{
    editor_->ShowPagerInformation(EscapedText(PayloadText(reply)));
}

void TForm1::ShowPortProblem(const WindowMessage& message)
{
    const std::string port = PayloadText(message).toStdString();
    setStatusText(EscapedText(QString::fromStdString(
        PortProblemText(static_cast<OpenFailure>(message.code), port, DeviceGroupName(port)))));
}

void TForm1::dragEnterEvent(QDragEnterEvent* event)
{
    if (event->mimeData()->hasUrls())
        event->acceptProposedAction();
}

void TForm1::dropEvent(QDropEvent* event)
{
    const QList<QUrl> urls = event->mimeData()->urls();
    if (urls.isEmpty())
        return;
    event->acceptProposedAction();
    // Only the first dropped file is loaded.
    const QString fileName = urls.front().isLocalFile() ? PathFromFileUrl(urls.front()) : QString();
    if (!fileName.isEmpty())
        Guarded([&] { LoadSettingsFile(fileName); });
}
