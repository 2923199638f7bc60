#pragma once
// A pager on the master side of a pseudo-terminal pair: the programmer opens the slave
// path as its serial port. The pager runs on its own thread; every method may be
// called from any thread.

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "link/frame_parser.h"
#include "pager_behaviour.h"

namespace q9tx::sim {

// One frame on the wire, on the steady clock. From the host: `first` is when the host
// wrote its first byte, `last` when its last byte has crossed the wire. From the pager:
// when the first and the last byte were handed to the host.
struct WireEvent {
    bool fromHost = false;
    std::uint8_t command = 0;  // 0 for bytes that do not start like a frame
    std::chrono::steady_clock::time_point first;
    std::chrono::steady_clock::time_point last;
    // From the pager: when the last byte was due; `last` is later by the pager's own delay.
    std::chrono::steady_clock::time_point lastDue;
};

class SimulatedPager {
public:
    SimulatedPager() = default;
    // Unplugs the pager.
    ~SimulatedPager();

    SimulatedPager(const SimulatedPager&) = delete;
    SimulatedPager& operator=(const SimulatedPager&) = delete;

    // Opens the pseudo-terminal pair and starts answering; false (see error()) when
    // the system gives no pseudo-terminal.
    bool start();
    // Like pulling the cable: the pager stops and the master side closes, so the
    // programmer's port hangs up. start() plugs in a new pager on a new path.
    void unplug();
    bool running() const;
    // The device path the programmer opens, e.g. /dev/pts/3.
    std::string slavePath() const;
    std::string error() const;

    void setIdentification(std::vector<std::uint8_t> record);
    void setInformationText(const std::string& text);
    void setImage(const ImageBytes& image);
    ImageBytes image() const;
    void setVerifyTime(std::chrono::milliseconds time);
    void setAnswerK(bool answerK);
    void setFaults(const PagerFaults& faults);
    // Both directions at the real 4800 baud, 8N1 (about 2.08 ms a byte): a byte goes to
    // the host when its stop bit would have ended, and a frame from the host is answered
    // only once all of it would have crossed the wire.
    void setPaced(bool paced);
    // Takes the pager off the cable: nothing is answered for `offTime`, then `next` answers
    // as another pager (its own image and session, no faults).
    void swap(const ImageBytes& next, std::chrono::milliseconds offTime);
    // A fleet on one cable: `onTime` after each verdict the pager is taken off, and after
    // `offTime` the next one answers, a factory pager whose serial number counts on from
    // `firstSerial` ("00000001" for 1); `pagers` in all, this one the first.
    void serveFleet(unsigned pagers, unsigned firstSerial, std::chrono::milliseconds onTime,
                    std::chrono::milliseconds offTime);
    // Sends bytes now (noise, or a frame the pager would not send by itself).
    void sendRaw(const std::vector<std::uint8_t>& bytes);

    // Every good frame received, in order.
    std::vector<ReceivedFrame> receivedFrames() const;
    void clearReceivedFrames();
    // Waits until at least `count` frames have been recorded.
    bool waitForFrames(std::size_t count, std::chrono::milliseconds limit) const;
    // Every frame that crossed the wire in either direction, in order of its last byte.
    std::vector<WireEvent> wireEvents() const;
    void clearWireEvents();

private:
    using Clock = std::chrono::steady_clock;
    struct Pending {
        Clock::time_point start;  // when the first byte goes on the wire
        std::vector<std::uint8_t> bytes;
        std::size_t sent = 0;
        Clock::time_point firstSent{};
    };

    void run();
    void handleInput();
    void sendDue();
    // Both with mutex_ held.
    void wake();
    std::optional<std::chrono::nanoseconds> untilNextDue() const;
    Clock::time_point nextByteDue(const Pending& pending) const;
    // Queues bytes to go out `delay` after the wire is free, and not before `earliest`.
    void queue(std::vector<std::uint8_t> bytes, Clock::time_point earliest, std::chrono::milliseconds delay);
    // With mutex_ held: false while no pager is on the cable; connects the next one when
    // its time has come.
    bool onCable(Clock::time_point at);
    // With mutex_ held: after a verdict, takes this pager of the fleet off in time.
    void afterVerdict();

    mutable std::mutex mutex_;
    mutable std::condition_variable frameRecorded_;
    PagerBehaviour behaviour_;
    std::deque<Pending> pending_;
    // When the pager's side of the wire is free again, after everything queued.
    Clock::time_point pagerWireFree_{};
    std::vector<WireEvent> wireEvents_;
    bool paced_ = false;
    // Off the cable from offFrom_ until offUntil_; then nextPager_ answers.
    Clock::time_point offFrom_ = Clock::time_point::max();
    Clock::time_point offUntil_{};
    std::optional<ImageBytes> nextPager_;
    unsigned fleetLeft_ = 0;
    unsigned nextSerial_ = 0;
    std::chrono::milliseconds fleetOnTime_{0};
    std::chrono::milliseconds fleetOffTime_{0};
    bool running_ = false;
    bool stop_ = false;
    std::string slavePath_;
    std::string error_;

    // Owned by the pager thread while it runs.
    FrameParser parser_;
    Clock::time_point hostWireFree_{};
    Clock::time_point hostFrameFirst_{};
    int master_ = -1;
    // Held open so the master never sees a hang-up while the programmer has the port closed.
    int slave_ = -1;
    int wake_ = -1;
    std::thread thread_;
};

}  // namespace q9tx::sim
