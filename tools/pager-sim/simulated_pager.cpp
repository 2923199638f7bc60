#include "simulated_pager.h"

#include <fcntl.h>
#include <poll.h>
#include <stdlib.h>
#include <sys/eventfd.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <optional>

#include "link/frame_parser.h"

namespace q9tx::sim {

namespace {

constexpr auto kByteTime = std::chrono::microseconds(2083);  // 10 bits at 4800 baud

void CloseIfOpen(int& fd)
{
    if (fd >= 0) {
        ::close(fd);
        fd = -1;
    }
}

}  // namespace

SimulatedPager::~SimulatedPager() { unplug(); }

bool SimulatedPager::start()
{
    unplug();
    std::lock_guard<std::mutex> lock(mutex_);
    master_ = ::posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC | O_NONBLOCK);
    char path[128] = {};
    if (master_ < 0 || ::grantpt(master_) != 0 || ::unlockpt(master_) != 0 ||
        ::ptsname_r(master_, path, sizeof path) != 0) {
        error_ = std::string("no pseudo-terminal: ") + std::strerror(errno);
        CloseIfOpen(master_);
        return false;
    }
    slave_ = ::open(path, O_RDWR | O_NOCTTY | O_CLOEXEC | O_NONBLOCK);
    wake_ = ::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
    termios settings{};
    if (slave_ < 0 || wake_ < 0 || ::tcgetattr(slave_, &settings) != 0) {
        error_ = std::string("cannot set up the pseudo-terminal: ") + std::strerror(errno);
        CloseIfOpen(slave_);
        CloseIfOpen(wake_);
        CloseIfOpen(master_);
        return false;
    }
    // Raw from the start: a cooked slave would echo the pager's own replies back to it.
    ::cfmakeraw(&settings);
    ::tcsetattr(slave_, TCSANOW, &settings);
    slavePath_ = path;
    error_.clear();
    stop_ = false;
    pending_.clear();
    parser_.Reset();
    thread_ = std::thread([this] { run(); });
    running_ = true;
    return true;
}

void SimulatedPager::unplug()
{
    {
        std::lock_guard<std::mutex> lock(mutex_);
        if (!running_) {
            return;
        }
        running_ = false;
        stop_ = true;
        wake();
    }
    thread_.join();
    std::lock_guard<std::mutex> lock(mutex_);
    CloseIfOpen(master_);
    CloseIfOpen(slave_);
    CloseIfOpen(wake_);
    pending_.clear();
}

bool SimulatedPager::running() const
{
    std::lock_guard<std::mutex> lock(mutex_);
    return running_;
}

std::string SimulatedPager::slavePath() const
{
    std::lock_guard<std::mutex> lock(mutex_);
    return slavePath_;
}

std::string SimulatedPager::error() const
{
    std::lock_guard<std::mutex> lock(mutex_);
    return error_;
}

void SimulatedPager::wake()
{
    const std::uint64_t one = 1;
    [[maybe_unused]] const ssize_t written = ::write(wake_, &one, sizeof one);
}

void SimulatedPager::run()
{
    for (;;) {
        std::optional<std::chrono::nanoseconds> wait;
        {
            std::lock_guard<std::mutex> lock(mutex_);
            if (stop_) {
                return;
            }
            wait = untilNextDue();
        }
        timespec timeout{};
        if (wait) {
            timeout.tv_sec = static_cast<time_t>(wait->count() / 1000000000);
            timeout.tv_nsec = static_cast<long>(wait->count() % 1000000000);
        }
        pollfd fds[2] = {{master_, POLLIN, 0}, {wake_, POLLIN, 0}};
        if (::ppoll(fds, 2, wait ? &timeout : nullptr, nullptr) < 0 && errno != EINTR) {
            return;
        }
        if (fds[1].revents & POLLIN) {
            std::uint64_t count = 0;
            [[maybe_unused]] const ssize_t got = ::read(wake_, &count, sizeof count);
        }
        if (fds[0].revents & POLLIN) {
            handleInput();
        } else if (fds[0].revents & (POLLHUP | POLLERR)) {
            std::this_thread::sleep_for(std::chrono::milliseconds(10));  // no reader: do not spin
        }
        sendDue();
    }
}

std::optional<std::chrono::nanoseconds> SimulatedPager::untilNextDue() const
{
    if (pending_.empty()) {
        return std::nullopt;
    }
    const auto left = pending_.front().due - std::chrono::steady_clock::now();
    return std::max(std::chrono::nanoseconds(0), std::chrono::duration_cast<std::chrono::nanoseconds>(left));
}

void SimulatedPager::handleInput()
{
    std::uint8_t buffer[256];
    const ssize_t n = ::read(master_, buffer, sizeof buffer);
    for (ssize_t i = 0; i < n; ++i) {
        if (!parser_.Feed(buffer[i])) {
            continue;
        }
        const std::uint8_t command = parser_.Command();
        std::vector<std::uint8_t> payload = parser_.LengthAndPayload();
        payload.erase(payload.begin());
        if (!parser_.FinishFrame()) {
            continue;  // a damaged frame gets no answer, as on the real pager
        }
        std::lock_guard<std::mutex> lock(mutex_);
        const auto now = std::chrono::steady_clock::now();
        auto due = std::max(now, lastDue_);
        for (TimedReply& reply : behaviour_.OnFrame(command, payload)) {
            due += reply.delay;
            pending_.push_back({due, std::move(reply.bytes)});
        }
        lastDue_ = due;
        frameRecorded_.notify_all();
    }
}

void SimulatedPager::sendDue()
{
    std::lock_guard<std::mutex> lock(mutex_);
    const auto now = std::chrono::steady_clock::now();
    while (!pending_.empty() && pending_.front().due <= now) {
        Pending& front = pending_.front();
        const std::size_t chunk = paced_ ? 1 : front.bytes.size();
        const ssize_t n = chunk == 0 ? 0 : ::write(master_, front.bytes.data(), chunk);
        if (n < 0 && errno == EAGAIN) {
            front.due = now + std::chrono::milliseconds(5);  // nobody reads: try again shortly
            return;
        }
        const std::size_t sent = n > 0 ? static_cast<std::size_t>(n) : front.bytes.size();
        front.bytes.erase(front.bytes.begin(), front.bytes.begin() + static_cast<std::ptrdiff_t>(sent));
        if (!front.bytes.empty()) {
            if (paced_) {
                // Keeps the average rate even when this thread woke a little late.
                front.due = std::max(front.due + kByteTime, now);
                lastDue_ = std::max(lastDue_, front.due);
                return;
            }
            continue;
        }
        pending_.pop_front();
    }
}

void SimulatedPager::setIdentification(std::vector<std::uint8_t> record)
{
    std::lock_guard<std::mutex> lock(mutex_);
    behaviour_.setIdentification(std::move(record));
}

void SimulatedPager::setInformationText(const std::string& text)
{
    std::lock_guard<std::mutex> lock(mutex_);
    behaviour_.setInformationText(text);
}

void SimulatedPager::setImage(const ImageBytes& image)
{
    std::lock_guard<std::mutex> lock(mutex_);
    behaviour_.setImage(image);
}

ImageBytes SimulatedPager::image() const
{
    std::lock_guard<std::mutex> lock(mutex_);
    return behaviour_.image();
}

void SimulatedPager::setVerifyTime(std::chrono::milliseconds time)
{
    std::lock_guard<std::mutex> lock(mutex_);
    behaviour_.setVerifyTime(time);
}

void SimulatedPager::setAnswerK(bool answerK)
{
    std::lock_guard<std::mutex> lock(mutex_);
    behaviour_.setAnswerK(answerK);
}

void SimulatedPager::setFaults(const PagerFaults& faults)
{
    std::lock_guard<std::mutex> lock(mutex_);
    behaviour_.setFaults(faults);
}

void SimulatedPager::setPaced(bool paced)
{
    std::lock_guard<std::mutex> lock(mutex_);
    paced_ = paced;
}

void SimulatedPager::sendRaw(const std::vector<std::uint8_t>& bytes)
{
    std::lock_guard<std::mutex> lock(mutex_);
    const auto due = std::max(std::chrono::steady_clock::now(), lastDue_);
    pending_.push_back({due, bytes});
    lastDue_ = due;
    if (running_) {
        wake();
    }
}

std::vector<ReceivedFrame> SimulatedPager::receivedFrames() const
{
    std::lock_guard<std::mutex> lock(mutex_);
    return behaviour_.receivedFrames();
}

void SimulatedPager::clearReceivedFrames()
{
    std::lock_guard<std::mutex> lock(mutex_);
    behaviour_.clearReceivedFrames();
}

bool SimulatedPager::waitForFrames(std::size_t count, std::chrono::milliseconds limit) const
{
    std::unique_lock<std::mutex> lock(mutex_);
    return frameRecorded_.wait_for(lock, limit, [&] { return behaviour_.receivedFrames().size() >= count; });
}

}  // namespace q9tx::sim
