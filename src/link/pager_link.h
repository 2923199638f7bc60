#pragma once
// The link record: walks the adapter ports polling for a pager, identifies the pager that
// answers, keeps contact with keep-alives, and tells the window through posted messages.
// Driven by the window's 50 ms timer, so all time here is counted in ticks. Everything,
// including parsing (the port hands received bytes to the main thread), runs on the main
// thread. The application creates exactly one.

#include <cstddef>
#include <cstdint>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "link/frame.h"
#include "link/frame_parser.h"
#include "link/link_control.h"
#include "link/port_discovery.h"
#include "link/serial_port.h"
#include "link/supported_pagers.h"

namespace q9tx {

enum LinkState : std::uint8_t {
    lsNoAdapter = 0,
    lsPolling = 1,
    lsIdentifying = 2,
    lsConnected = 3,
};

class PagerLink final : public LinkControl {
public:
    static constexpr std::uint16_t kReplyTicks = 40;  // 2 s for the pager to answer any frame
    static constexpr std::uint16_t kProbeTicks = 20;  // each port is polled for 1 s
    // While watching for a removal: a pager silent this long is gone (0.2 s, so that a
    // swap of the pager for the next one is not taken for the same pager).
    static constexpr std::uint16_t kRemovalTicks = 4;

    // Installs itself as the port's receive handler; both objects must outlive the link.
    PagerLink(SerialPort& port, PortDiscovery& discovery,
              const SupportedPagerTable& table = SupportedPagers);
    ~PagerLink() override;
    PagerLink(const PagerLink&) = delete;
    PagerLink& operator=(const PagerLink&) = delete;

    void StartLink(MessageSink* window) override;
    void StopLink() override;
    void LinkTick() override;
    bool HandleDeviceEvent(const WindowMessage& message) override;
    // Arms the reply countdown even when nothing can be written (no port, writes blocked,
    // payload over 32 bytes): the missing answer is then noticed like any lost frame.
    void SendFrame(std::uint8_t command, const std::uint8_t* payload, std::uint8_t length) override;
    std::string OpenPortName() const override;
    // Leaves a port that is no longer among those to walk at once, and probes the chosen one.
    void ChoosePort(const std::string& name) override;

    // Until the pager connected now stops answering: N on every tick once the last one was
    // answered, and the pager lost (code 6) after kRemovalTicks without an answer. Ends
    // with the pager; nothing happens unless a pager is connected.
    void WatchForRemoval();

    // Received bytes in arrival order; every completed frame is dispatched at once.
    void ParseReceived(const std::uint8_t* bytes, std::size_t count);

    LinkState State() const { return state_; }
    bool ReplyAwaited() const { return replyAwaited_; }
    bool Identified() const { return identified_; }
    bool WritesBlocked() const { return writesBlocked_; }
    const std::string& CurrentPortName() const { return currentPortName_; }

private:
    void RestartProbing();
    void RemovalTick();
    void WalkAdapterPorts();
    void PortOpened(const std::string& name);
    void ReportPortProblem(const std::string& name);
    void PortHungUp();
    void LeavePort(const char* event, bool pagerLost);
    void DispatchFrame();
    bool AnswersLastFrame(std::uint8_t received) const;
    void Post(int message, std::uint32_t code, std::vector<std::uint8_t> frame = {});

    SerialPort& port_;
    PortDiscovery& discovery_;
    SupportedPagerTable table_;
    MessageSink* window_ = nullptr;
    bool replyAwaited_ = false;
    // The command of the last frame sent: only its answer clears replyAwaited_.
    std::uint8_t lastSentCommand_ = 0;
    std::string currentPortName_;
    // While set the link stays on the current port instead of probing others.
    bool identified_ = false;
    unsigned probeIndex_ = 0;
    bool writesBlocked_ = false;
    std::uint16_t probeCountdown_ = 0;
    LinkState state_ = lsNoAdapter;
    std::uint16_t replyCountdown_ = 0;
    bool watchingForRemoval_ = false;
    std::uint16_t silentTicks_ = 0;
    FrameParser parser_;
    FrameBuffer transmitBuffer_{};
    // Ports already reported as not openable, with the reason; a port leaves when it opens.
    std::set<std::pair<std::string, OpenFailure>> reportedPortProblems_;
};

}  // namespace q9tx
