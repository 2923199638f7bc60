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
    // Sends at the real 4800 baud, about 2.08 ms a byte, instead of all at once.
    void setPaced(bool paced);
    // Sends bytes now (noise, or a frame the pager would not send by itself).
    void sendRaw(const std::vector<std::uint8_t>& bytes);

    // Every good frame received, in order.
    std::vector<ReceivedFrame> receivedFrames() const;
    void clearReceivedFrames();
    // Waits until at least `count` frames have been recorded.
    bool waitForFrames(std::size_t count, std::chrono::milliseconds limit) const;

private:
    struct Pending {
        std::chrono::steady_clock::time_point due;
        std::vector<std::uint8_t> bytes;
    };

    void run();
    void handleInput();
    void sendDue();
    // Both with mutex_ held.
    void wake();
    std::optional<std::chrono::nanoseconds> untilNextDue() const;

    mutable std::mutex mutex_;
    mutable std::condition_variable frameRecorded_;
    PagerBehaviour behaviour_;
    std::deque<Pending> pending_;
    std::chrono::steady_clock::time_point lastDue_{};
    bool paced_ = false;
    bool running_ = false;
    bool stop_ = false;
    std::string slavePath_;
    std::string error_;

    // Owned by the pager thread while it runs.
    FrameParser parser_;
    int master_ = -1;
    // Held open so the master never sees a hang-up while the programmer has the port closed.
    int slave_ = -1;
    int wake_ = -1;
    std::thread thread_;
};

}  // namespace q9tx::sim
