// The permanent part of the status bar that shows the port and the link's state. Hints
// of the controls cover the status text, never this.

#include <QLabel>
#include <QStatusBar>

#include "editor/status_texts.h"
#include "app/tform1.h"
#include "link/posix/device_group.h"
#include "link/port_problem_text.h"
#include "link/serial_port.h"

using namespace q9tx;

namespace {

constexpr std::size_t kIdentificationFirmware = 5;
constexpr std::size_t kIdentificationFirmwareNumber = 4;

QString PortNameOf(const WindowMessage& message)
{
    QByteArray name;
    for (std::size_t i = 0; i < message.payloadLength(); ++i)
        name.append(static_cast<char>(message.payload(i)));
    return QString::fromLocal8Bit(name);
}

QString FirmwareOf(const WindowMessage& reply)
{
    if (reply.payloadLength() <= kIdentificationFirmware)
        return QStringLiteral("--");
    const std::uint8_t version = reply.payload(kIdentificationFirmware);
    return version != 0 ? QStringLiteral("V%1").arg(version)
                        : QStringLiteral("D%1").arg(reply.payload(kIdentificationFirmwareNumber));
}

}  // namespace

void TForm1::BuildLinkIndicator()
{
    linkIndicator = new QLabel(StatusBar1);
    linkIndicator->setObjectName(QStringLiteral("linkIndicator"));
    linkIndicator->setTextFormat(Qt::PlainText);
    StatusBar1->addPermanentWidget(linkIndicator);
    UpdateLinkIndicator();
}

// Called before the window reacts to the message, so that a transfer the message ends is
// still seen running.
void TForm1::NoteLinkMessage(const WindowMessage& message)
{
    const QString port = QString::fromStdString(link_.OpenPortName());
    if (message.message == WM_PAGER_PORT_PROBLEM) {
        const std::string name = PortNameOf(message).toStdString();
        linkView_.phase = LinkPhase::PortProblem;
        linkView_.port = QString::fromStdString(name);
        linkView_.problem = EscapedText(QString::fromStdString(
            PortProblemText(static_cast<OpenFailure>(message.code), name, DeviceGroupName(name))));
        return;
    }
    if (message.message != WM_PAGER_LINK)
        return;
    switch (message.code) {
    case LinkNoAdapter:
        linkView_.phase = LinkPhase::NoCable;
        break;
    case LinkPagerSupported:
    case LinkMapVersionTooNew:
    case LinkPagerUnsupported:
        linkView_.phase = message.code == LinkPagerSupported     ? LinkPhase::Connected
                          : message.code == LinkMapVersionTooNew ? LinkPhase::TooNew
                                                                  : LinkPhase::Unsupported;
        linkView_.port = port;
        linkView_.firmware = FirmwareOf(message);
        linkView_.serial.clear();
        break;
    case LinkPagerLost:
        if (runningTransfer() != RunningTransfer::None)
            NoteOutcome(QStringLiteral("%1 failed: %2")
                            .arg(runningTransfer() == RunningTransfer::Write ? QStringLiteral("write")
                                                                             : QStringLiteral("read"),
                                 StatusText(StatusPagerDisconnected)));
        linkView_.phase = port.isEmpty() ? LinkPhase::NoCable : LinkPhase::Waiting;
        linkView_.port = port;
        break;
    default:
        break;
    }
}

void TForm1::NoteOutcome(const QString& outcome) { linkView_.outcome = outcome; }

void TForm1::UpdateLinkIndicator()
{
    if (!linkIndicator)
        return;
    // A port opened since the last message: a pager is awaited there.
    const QString port = QString::fromStdString(link_.OpenPortName());
    const bool portSilent = linkView_.phase == LinkPhase::NoCable || linkView_.phase == LinkPhase::PortProblem;
    if (!port.isEmpty() && (portSilent || port != linkView_.port)) {
        linkView_.phase = LinkPhase::Waiting;
        linkView_.port = port;
    }
    const RunningTransfer running = runningTransfer();
    linkView_.activity = running == RunningTransfer::Write  ? LinkActivity::Writing
                         : running == RunningTransfer::Read ? LinkActivity::Reading
                                                            : LinkActivity::None;
    linkView_.closing = closeGuard_.waiting();
    const QString text = LinkIndicatorText(linkView_);
    if (linkIndicator->text() != text)
        linkIndicator->setText(text);
}
