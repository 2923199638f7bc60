#include "simulated_pager.h"

#include <fcntl.h>
#include <poll.h>
#include <stdlib.h>
#include <sys/eventfd.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <optional>

#include "link/frame.h"
#include "link/frame_parser.h"

namespace q9tx::sim {

namespace {

constexpr auto kByteTime = std::chrono::nanoseconds(2083333);  // 10 bits at 4800 baud

std::chrono::nanoseconds WireTime(std::size_t bytes) { return kByteTime * static_cast<std::int64_t>(bytes); }

void CloseIfOpen(int& fd)
{
    if (fd >= 0) {
        ::close(fd);
        fd = -1;
    }
}

// Eight digits, as the factory numbers its pagers.
std::string SerialText(unsigned number)
{
    char serial[16];
    std::snprintf(serial, sizeof serial, "%08u", number);
    return serial;
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
    pagerWireFree_ = hostWireFree_ = Clock::time_point{};
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

SimulatedPager::Clock::time_point SimulatedPager::nextByteDue(const Pending& pending) const
{
    return paced_ ? pending.start + WireTime(pending.sent + 1) : pending.start;
}

std::optional<std::chrono::nanoseconds> SimulatedPager::untilNextDue() const
{
    if (pending_.empty()) {
        return std::nullopt;
    }
    const auto left = nextByteDue(pending_.front()) - Clock::now();
    return std::max(std::chrono::nanoseconds(0), std::chrono::duration_cast<std::chrono::nanoseconds>(left));
}

void SimulatedPager::queue(std::vector<std::uint8_t> bytes, Clock::time_point earliest, std::chrono::milliseconds delay)
{
    const auto start = std::max(earliest, pagerWireFree_) + delay;
    pagerWireFree_ = paced_ ? start + WireTime(bytes.size()) : start;
    pending_.push_back({start, std::move(bytes)});
}

void SimulatedPager::handleInput()
{
    std::uint8_t buffer[256];
    const ssize_t n = ::read(master_, buffer, sizeof buffer);
    const auto readAt = Clock::now();
    for (ssize_t i = 0; i < n; ++i) {
        // Bytes written together queue up on the wire behind each other.
        hostWireFree_ = paced_ ? std::max(readAt, hostWireFree_) + kByteTime : readAt;
        const bool startsFrame = parser_.State() == FrameParser::WaitFirstSync;
        if (!parser_.Feed(buffer[i])) {
            if (startsFrame && parser_.State() == FrameParser::WaitSecondSync) {
                hostFrameFirst_ = readAt;
            }
            continue;
        }
        const std::uint8_t command = parser_.Command();
        std::vector<std::uint8_t> payload = parser_.LengthAndPayload();
        payload.erase(payload.begin());
        if (!parser_.FinishFrame()) {
            continue;  // a damaged frame gets no answer, as on the real pager
        }
        std::lock_guard<std::mutex> lock(mutex_);
        if (!onCable(hostWireFree_)) {
            continue;
        }
        wireEvents_.push_back({true, command, hostFrameFirst_, hostWireFree_, hostWireFree_});
        bool verdict = false;
        for (TimedReply& reply : behaviour_.OnFrame(command, payload)) {
            verdict = verdict || (reply.bytes.size() > 2 && (reply.bytes[2] == CmdWriteCompleted ||
                                                             reply.bytes[2] == CmdWriteFailedK ||
                                                             reply.bytes[2] == CmdWriteFailedM));
            queue(std::move(reply.bytes), hostWireFree_, reply.delay);
        }
        if (verdict) {
            afterVerdict();
        }
        frameRecorded_.notify_all();
    }
}

bool SimulatedPager::onCable(Clock::time_point at)
{
    if (at < offFrom_) {
        return true;
    }
    if (at < offUntil_) {
        return false;
    }
    offFrom_ = Clock::time_point::max();
    if (nextPager_) {
        behaviour_.connectNext(*nextPager_);
        nextPager_.reset();
    }
    return true;
}

void SimulatedPager::afterVerdict()
{
    if (fleetLeft_ == 0) {
        return;
    }
    --fleetLeft_;
    offFrom_ = pagerWireFree_ + fleetOnTime_;
    offUntil_ = offFrom_ + fleetOffTime_;
    nextPager_ = FactoryImage(SerialText(nextSerial_++));
}

void SimulatedPager::swap(const ImageBytes& next, std::chrono::milliseconds offTime)
{
    std::lock_guard<std::mutex> lock(mutex_);
    offFrom_ = Clock::now();
    offUntil_ = offFrom_ + offTime;
    nextPager_ = next;
    // What was on its way from the pager taken off is lost with it.
    std::erase_if(pending_, [](const Pending& pending) { return pending.sent == 0; });
}

void SimulatedPager::serveFleet(unsigned pagers, unsigned firstSerial, std::chrono::milliseconds onTime,
                                std::chrono::milliseconds offTime)
{
    std::lock_guard<std::mutex> lock(mutex_);
    behaviour_.connectNext(FactoryImage(SerialText(firstSerial)));
    fleetLeft_ = pagers > 0 ? pagers - 1 : 0;
    nextSerial_ = firstSerial + 1;
    fleetOnTime_ = onTime;
    fleetOffTime_ = offTime;
}

void SimulatedPager::sendDue()
{
    std::lock_guard<std::mutex> lock(mutex_);
    const auto now = Clock::now();
    while (!pending_.empty()) {
        Pending& front = pending_.front();
        // Paced, every byte whose time has come goes at once, so a late wake-up does not
        // slow the whole frame down.
        std::size_t due = front.bytes.size();
        if (paced_) {
            due = now < front.start ? 0 : std::min(due, static_cast<std::size_t>((now - front.start) / kByteTime));
        } else if (now < front.start) {
            due = 0;
        }
        if (due <= front.sent && front.sent < front.bytes.size()) {
            return;
        }
        const ssize_t n = ::write(master_, front.bytes.data() + front.sent, due - front.sent);
        if (n == 0 || (n < 0 && errno == EAGAIN)) {
            front.start += now + std::chrono::milliseconds(5) - nextByteDue(front);  // nobody reads: try again shortly
            return;
        }
        if (front.sent == 0) {
            front.firstSent = now;
        }
        front.sent = n >= 0 ? front.sent + static_cast<std::size_t>(n) : front.bytes.size();
        if (front.sent < front.bytes.size()) {
            continue;
        }
        const bool frame = front.bytes.size() >= 3 && front.bytes[0] == 0x7E && front.bytes[1] == 0x7E;
        const auto lastDue = paced_ ? front.start + WireTime(front.bytes.size()) : front.start;
        wireEvents_.push_back({false, frame ? front.bytes[2] : std::uint8_t(0), front.firstSent, now, lastDue});
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
    queue(bytes, Clock::now(), std::chrono::milliseconds(0));
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

std::vector<WireEvent> SimulatedPager::wireEvents() const
{
    std::lock_guard<std::mutex> lock(mutex_);
    return wireEvents_;
}

void SimulatedPager::clearWireEvents()
{
    std::lock_guard<std::mutex> lock(mutex_);
    wireEvents_.clear();
}

bool SimulatedPager::waitForFrames(std::size_t count, std::chrono::milliseconds limit) const
{
    std::unique_lock<std::mutex> lock(mutex_);
    return frameRecorded_.wait_for(lock, limit, [&] { return behaviour_.receivedFrames().size() >= count; });
}

}  // namespace q9tx::sim
