#include "cli/pager_host.h"

#include <QCoreApplication>
#include <QEvent>

namespace q9tx::cli {
namespace {

constexpr int kLinkTickInterval = 50;  // milliseconds, as in the window
const QEvent::Type kMessageEvent = static_cast<QEvent::Type>(QEvent::registerEventType());

class MessageEvent final : public QEvent {
public:
    explicit MessageEvent(WindowMessage message) : QEvent(kMessageEvent), message(std::move(message)) {}
    WindowMessage message;
};

}  // namespace

// Without ports of its own discovery scans sysfs; with them it is given an empty root, so
// that only the ports asked for are probed.
PagerHost::PagerHost(const std::vector<std::string>& ports, Handler handler)
    : handler_(std::move(handler)),
      discovery_(ports.empty() ? std::filesystem::path("/sys") : std::filesystem::path(), ports),
      link_(port_, discovery_)
{
    timer_.setInterval(kLinkTickInterval);
    connect(&timer_, &QTimer::timeout, this, [this] { link_.LinkTick(); });
    if (ports.empty())
        deviceMonitor_ = std::make_unique<UdevDeviceMonitor>(this);
}

PagerHost::~PagerHost()
{
    timer_.stop();
    deviceMonitor_.reset();
    link_.StopLink();
}

void PagerHost::Start()
{
    link_.StartLink(this);
    if (deviceMonitor_)
        deviceMonitor_->start();
    timer_.start();
}

std::string PagerHost::portList() const
{
    std::string list;
    for (unsigned index = 0; index != PortDiscovery::kNoMorePorts;) {
        std::string name;
        index = discovery_.GetAdapterPort(&name, index);
        if (!name.empty())
            list += (list.empty() ? "" : ", ") + name;
    }
    return list;
}

void PagerHost::postMessage(const WindowMessage& message)
{
    QCoreApplication::postEvent(this, new MessageEvent(message));
}

bool PagerHost::event(QEvent* event)
{
    if (event->type() != kMessageEvent)
        return QObject::event(event);
    Handle(static_cast<MessageEvent*>(event)->message);
    return true;
}

void PagerHost::Handle(const WindowMessage& message)
{
    if (link_.HandleDeviceEvent(message))
        timer_.start(kLinkTickInterval);
    // No adapter: the tick waits for a device change, as the window's timer does.
    if (message.message == WM_PAGER_LINK && message.code == LinkNoAdapter)
        timer_.stop();
    handler_(message);
}

}  // namespace q9tx::cli
