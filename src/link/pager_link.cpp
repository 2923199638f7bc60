#include "link/pager_link.h"

#include <algorithm>

#include "link/adapter_port_list.h"
#include "link/link_trace.h"

namespace q9tx {

PagerLink::PagerLink(SerialPort& port, PortDiscovery& discovery, const SupportedPagerTable& table)
    : port_(port), discovery_(discovery), table_(table)
{
    port_.SetReceiveHandler(
        [this](const std::uint8_t* bytes, std::size_t count) { ParseReceived(bytes, count); });
    port_.SetHangUpHandler([this] { PortHungUp(); });
}

PagerLink::~PagerLink()
{
    port_.SetReceiveHandler(nullptr);
    port_.SetHangUpHandler(nullptr);
}

void PagerLink::StartLink(MessageSink* window)
{
    discovery_.StartPortDiscovery(window);
    window_ = window;
    currentPortName_.clear();
    identified_ = false;
    RestartProbing();
}

void PagerLink::StopLink()
{
    if (state_ == lsIdentifying || state_ == lsConnected)
        SendFrame(CmdSignOff, nullptr, 0);
    if (port_.IsOpen())
        LinkTrace::Event(currentPortName_, "closed");
    port_.ClosePort();
    discovery_.StopPortDiscovery();
    // The window is going away: nothing may be posted to it any more.
    window_ = nullptr;
    state_ = lsNoAdapter;
}

void PagerLink::RestartProbing()
{
    if (discovery_.GetAdapterPort(nullptr, 0) > 0) {
        probeIndex_ = 0;
        probeCountdown_ = 1;
        state_ = lsPolling;
    } else {
        state_ = lsNoAdapter;
    }
}

void PagerLink::LinkTick()
{
    if (state_ == lsNoAdapter) {
        Post(WM_PAGER_LINK, LinkNoAdapter);
        return;
    }
    if (state_ == lsPolling) {
        if (identified_) {
            replyCountdown_ = 1;
        } else if (probeCountdown_ <= 1) {
            probeCountdown_ = kProbeTicks;
            WalkAdapterPorts();
        } else {
            --probeCountdown_;
        }
    }
    if (watchingForRemoval_ && state_ == lsConnected && port_.IsOpen()) {
        RemovalTick();
        return;
    }
    if (!port_.IsOpen() || replyCountdown_ == 0 || --replyCountdown_ != 0)
        return;
    switch (state_) {
    case lsPolling:
        SendFrame(CmdPoll, nullptr, 0);
        replyCountdown_ = 1;  // N on every tick while polling
        break;
    case lsIdentifying:
        state_ = lsPolling;
        break;
    case lsConnected:
        if (replyAwaited_) {
            state_ = lsPolling;
            Post(WM_PAGER_LINK, LinkPagerLost);
        } else {
            SendFrame(CmdPoll, nullptr, 0);
        }
        break;
    case lsNoAdapter:
        break;
    }
}

void PagerLink::WatchForRemoval()
{
    if (state_ != lsConnected)
        return;
    watchingForRemoval_ = true;
    silentTicks_ = 0;
    SendFrame(CmdPoll, nullptr, 0);
}

void PagerLink::RemovalTick()
{
    if (!replyAwaited_) {
        silentTicks_ = 0;
        SendFrame(CmdPoll, nullptr, 0);
        return;
    }
    if (++silentTicks_ < kRemovalTicks)
        return;
    watchingForRemoval_ = false;
    state_ = lsPolling;
    Post(WM_PAGER_LINK, LinkPagerLost);
}

// Moves on to the next port that opens. The current port is kept only while it is open:
// after a failed attempt elsewhere it has been closed and must be opened again.
void PagerLink::WalkAdapterPorts()
{
    if (probeIndex_ == PortDiscovery::kNoMorePorts)
        probeIndex_ = 0;
    while (probeIndex_ != PortDiscovery::kNoMorePorts) {
        std::string name;
        probeIndex_ = discovery_.GetAdapterPort(&name, probeIndex_);
        if (name.empty())
            continue;
        if (port_.IsOpen() && EqualIgnoringCase(name, currentPortName_)) {
            replyCountdown_ = 1;
            return;
        }
        port_.ClosePort();
        if (port_.OpenPort(name)) {
            PortOpened(name);
            replyCountdown_ = 1;
            return;
        }
        ReportPortProblem(name);
    }
}

void PagerLink::PortOpened(const std::string& name)
{
    currentPortName_ = name;
    LinkTrace::Event(name, "opened");
    parser_.Reset();
    writesBlocked_ = false;
    std::erase_if(reportedPortProblems_, [&](const auto& problem) { return problem.first == name; });
}

void PagerLink::ReportPortProblem(const std::string& name)
{
    const OpenFailure failure = port_.LastOpenFailure();
    // A device the user named is expected to work, so any reason is worth telling.
    const bool reported = failure == OpenFailure::PermissionDenied || failure == OpenFailure::Busy ||
                          (failure != OpenFailure::None && discovery_.IsNamedByUser(name));
    if (!reported)
        return;
    if (!reportedPortProblems_.emplace(name, failure).second)
        return;
    // Laid out like a frame's length byte and payload, as every message's frame is.
    const std::size_t length = std::min<std::size_t>(name.size(), 255);
    std::vector<std::uint8_t> frame{static_cast<std::uint8_t>(length)};
    frame.insert(frame.end(), name.begin(), name.begin() + static_cast<std::ptrdiff_t>(length));
    Post(WM_PAGER_PORT_PROBLEM, static_cast<std::uint32_t>(failure), std::move(frame));
}

// A port that hangs up without a removal event (a named device, a machine without udev)
// is taken as removed: a device that comes back on the same path is probed again.
void PagerLink::PortHungUp()
{
    if (!port_.IsOpen())
        return;
    LeavePort("hang-up", state_ == lsConnected);
    RestartProbing();
    // A device that opens and hangs up at once is tried again once per probe period.
    probeCountdown_ = kProbeTicks;
}

// Closes the current port and forgets it, so that probing starts afresh; the window hears
// of a lost pager where one was.
void PagerLink::LeavePort(const char* event, bool pagerLost)
{
    LinkTrace::Event(currentPortName_, event);
    port_.ClosePort();
    currentPortName_.clear();
    identified_ = false;
    if (pagerLost)
        Post(WM_PAGER_LINK, LinkPagerLost);
}

std::string PagerLink::OpenPortName() const { return port_.IsOpen() ? currentPortName_ : std::string(); }

void PagerLink::ChoosePort(const std::string& name)
{
    discovery_.ChoosePort(name);
    // Problems are told again for the ports now walked.
    reportedPortProblems_.clear();
    if (port_.IsOpen() && !discovery_.IsAdapterPort(currentPortName_)) {
        if (state_ == lsIdentifying || state_ == lsConnected)
            SendFrame(CmdSignOff, nullptr, 0);
        LeavePort("closed", state_ == lsConnected);
    }
    RestartProbing();
}

bool PagerLink::HandleDeviceEvent(const WindowMessage& message)
{
    switch (discovery_.ClassifyDeviceEvent(message)) {
    case DeviceEvent::PortArrival:
        RestartProbing();
        return true;
    case DeviceEvent::PortRemoval:
        if (!discovery_.IsAdapterPort(currentPortName_)) {
            LeavePort("removed", true);
        }
        // A port plugged in again is worth a new report.
        std::erase_if(reportedPortProblems_,
                      [&](const auto& problem) { return !discovery_.IsAdapterPort(problem.first); });
        writesBlocked_ = false;
        RestartProbing();
        return true;
    case DeviceEvent::RemovalUnderWay:
        writesBlocked_ = true;
        return false;
    case DeviceEvent::None:
        break;
    }
    return false;
}

void PagerLink::SendFrame(std::uint8_t command, const std::uint8_t* payload, std::uint8_t length)
{
    replyAwaited_ = true;
    lastSentCommand_ = command;
    replyCountdown_ = kReplyTicks;
    const std::size_t size = BuildFrame(transmitBuffer_, command, payload, length);
    if (size == 0)
        return;
    const bool written = !writesBlocked_ && port_.WritePort(transmitBuffer_.data(), size);
    if (port_.IsOpen())
        LinkTrace::Frame(LinkTrace::Direction::Out, currentPortName_, transmitBuffer_.data(), size,
                         written ? std::string_view() : writesBlocked_ ? "held back" : "not written");
}

void PagerLink::ParseReceived(const std::uint8_t* bytes, std::size_t count)
{
    for (std::size_t i = 0; i < count; ++i) {
        if (parser_.Feed(bytes[i]))
            DispatchFrame();
    }
}

void PagerLink::DispatchFrame()
{
    const std::uint8_t command = parser_.Command();
    const bool intact = parser_.FinishFrame();
    if (LinkTrace::Enabled()) {
        const std::vector<std::uint8_t> frame = parser_.ReceivedFrame();
        LinkTrace::Frame(LinkTrace::Direction::In, currentPortName_, frame.data(), frame.size(),
                         intact ? "" : "bad CRC");
    }
    if (!intact)
        return;  // a damaged frame counts as no answer
    if (AnswersLastFrame(command))
        replyAwaited_ = false;
    switch (command) {
    case CmdPollAnswer:
        if (state_ == lsPolling) {
            state_ = lsIdentifying;
            SendFrame(CmdIdentify, nullptr, 0);
        }
        return;
    case CmdIdentify:
        if (state_ == lsIdentifying) {
            std::vector<std::uint8_t> reply = parser_.LengthAndPayload();
            const PagerLinkCode result = CheckPagerModel(reply, table_);
            identified_ = true;
            watchingForRemoval_ = false;
            state_ = lsConnected;
            Post(WM_PAGER_LINK, result, std::move(reply));
        }
        return;
    case CmdInformationText:
        if (state_ == lsConnected)
            Post(WM_PAGER_LINK, LinkInformationText, parser_.LengthAndPayload());
        return;
    case CmdVerifying:
    case CmdWriteFailedK:
    case CmdWriteCompleted:
    case CmdWriteFailedM:
        Post(WM_PAGER_ACK, AckVerifying + (command - CmdVerifying));
        return;
    default:
        break;
    }
    if ((command & 0xF0) == CmdReadBlock)
        Post(WM_PAGER_BLOCK, command - CmdReadBlock + 1u, parser_.LengthAndPayload());
    else if ((command & 0xF0) == CmdWriteBlock)
        Post(WM_PAGER_ACK, command - CmdWriteBlock + 1u);
}

// A late answer to an earlier frame (say the O of a keep-alive that arrives just after a
// block request) must not count as the answer to the frame now outstanding: if that
// frame's own answer were then lost, the loss would never be noticed and a transfer would
// wait for ever. The pager answers N with O, H and F with themselves, and a block request
// or block write with a frame of the same kind. A verdict answers a block write too: it
// follows the last acknowledgement, so when that one arrives damaged the verdict is the
// pager's only word that it is still there.
bool PagerLink::AnswersLastFrame(std::uint8_t received) const
{
    switch (lastSentCommand_) {
    case CmdPoll:
        return received == CmdPollAnswer;
    case CmdIdentify:
    case CmdInformationText:
        return received == lastSentCommand_;
    default:
        if ((lastSentCommand_ & 0xF0) == CmdWriteBlock && received >= CmdVerifying && received <= CmdWriteFailedM)
            return true;
        if ((lastSentCommand_ & 0xF0) == CmdReadBlock || (lastSentCommand_ & 0xF0) == CmdWriteBlock)
            return (received & 0xF0) == (lastSentCommand_ & 0xF0);
        return true;  // nothing sent yet, or the sign-off, which has no answer
    }
}

void PagerLink::Post(int message, std::uint32_t code, std::vector<std::uint8_t> frame)
{
    if (window_ == nullptr)
        return;
    WindowMessage posted;
    posted.message = message;
    posted.code = code;
    posted.frame = std::move(frame);
    window_->postMessage(posted);
}

}  // namespace q9tx
