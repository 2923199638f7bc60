// The frame parser and the link's dispatch, fed any byte stream in any chunking. The
// input is: a chunking seed (2 bytes), the command and payload length of a valid frame
// sent last, the count of idle bytes before it, then the stream itself. What the link
// posts must match a plain reading of the frame rules: only frames with a right CRC and
// a length of at most 32 are delivered, a damaged or oversize frame is dropped and the
// hunt for two sync bytes goes on behind it, and the way the bytes are split between
// reads changes nothing.

#include <algorithm>
#include <span>
#include <string>
#include <vector>

#include "../unit/link/link_test_doubles.h"
#include "fuzz_check.h"
#include "checksum/crc16.h"
#include "link/pager_link.h"

namespace {

using q9tx::WindowMessage;
using Bytes = std::vector<std::uint8_t>;

// Longest stretch a frame under way can still swallow: command, length, 32 payload
// bytes and the CRC. After this many bytes that are not sync bytes the parser is idle.
constexpr std::size_t kLongestFrameTail = 2 + q9tx::kMaxPayload + 2;
constexpr std::uint8_t kSync = 0x7E;

struct ValidFrame {
    std::uint8_t command;
    Bytes lengthAndPayload;
};

// The frames with a right CRC that the stream holds, read by hunting for two adjacent sync
// bytes, then taking command, length (at most 32), payload and CRC. A pair whose second
// byte is no sync byte is passed over whole.
std::vector<ValidFrame> FramesIn(std::span<const std::uint8_t> stream)
{
    std::vector<ValidFrame> frames;
    std::size_t i = 0;
    while (i + 1 < stream.size()) {
        if (stream[i] != kSync) {
            ++i;
            continue;
        }
        if (stream[i + 1] != kSync) {
            i += 2;
            continue;
        }
        const std::size_t start = i + 2;  // the command
        if (start + 1 >= stream.size())
            break;
        const std::size_t length = stream[start + 1];
        if (length > q9tx::kMaxPayload) {
            i = start + 2;
            continue;
        }
        const std::size_t end = start + 2 + length + 2;
        if (end > stream.size())
            break;
        const auto crc = static_cast<std::uint16_t>(stream[end - 2] << 8 | stream[end - 1]);
        if (q9tx::crc16(0, &stream[start], static_cast<std::uint16_t>(length + 2)) == crc)
            frames.push_back({stream[start], Bytes(&stream[start + 1], &stream[start + 2 + length])});
        i = end;
    }
    return frames;
}

// What the link posts for these frames, starting while it polls: a poll answer starts the
// identification, an identification reply is judged once, information texts count only
// once connected, verdicts and block answers always.
std::vector<WindowMessage> ExpectedMessages(const std::vector<ValidFrame>& frames, q9tx::LinkState& state)
{
    std::vector<WindowMessage> messages;
    for (const ValidFrame& frame : frames) {
        const std::uint8_t command = frame.command;
        if (command == 'O') {
            if (state == q9tx::lsPolling)
                state = q9tx::lsIdentifying;
        } else if (command == 'H') {
            if (state == q9tx::lsIdentifying) {
                messages.push_back({q9tx::WM_PAGER_LINK, q9tx::CheckPagerModel(frame.lengthAndPayload), 0,
                                    frame.lengthAndPayload});
                state = q9tx::lsConnected;
            }
        } else if (command == 'F') {
            if (state == q9tx::lsConnected)
                messages.push_back({q9tx::WM_PAGER_LINK, q9tx::LinkInformationText, 0, frame.lengthAndPayload});
        } else if (command >= 'J' && command <= 'M') {
            messages.push_back({q9tx::WM_PAGER_ACK, q9tx::AckVerifying + (command - 'J'), 0, {}});
        } else if (command >= 0x60 && command <= 0x6F) {
            messages.push_back({q9tx::WM_PAGER_BLOCK, command - 0x5Fu, 0, frame.lengthAndPayload});
        } else if (command >= 0x70 && command <= 0x7F) {
            messages.push_back({q9tx::WM_PAGER_ACK, command - 0x6Fu, 0, {}});
        }
    }
    return messages;
}

std::string Describe(const std::vector<WindowMessage>& messages)
{
    std::string text;
    for (const WindowMessage& message : messages) {
        text += std::to_string(message.message) + "/" + std::to_string(message.code) + "[";
        for (const std::uint8_t byte : message.frame)
            text += std::to_string(byte) + " ";
        text += "] ";
    }
    return text;
}

bool Same(const std::vector<WindowMessage>& a, const std::vector<WindowMessage>& b)
{
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](const WindowMessage& x, const WindowMessage& y) {
        return x.message == y.message && x.code == y.code && x.frame == y.frame;
    });
}

// A link that has opened its one port and polls, as it does one tick after start.
struct PollingLink {
    PollingLink()
    {
        discovery.ports = {"ttyUSB0"};
        link.StartLink(&sink);
        link.LinkTick();
        FUZZ_CHECK(link.State() == q9tx::lsPolling && port.IsOpen(), "the link did not start polling");
    }
    q9tx::testing::FakeSerialPort port;
    q9tx::testing::FakeDiscovery discovery;
    q9tx::testing::RecordingSink sink;
    q9tx::PagerLink link{port, discovery};
};

// Chunk sizes from 1 to 64 drawn from the seed; 0 bytes between reads never happens.
std::vector<std::size_t> ChunkSizes(std::uint16_t seed, std::size_t total)
{
    std::uint32_t x = seed * 2654435761u + 1;
    std::vector<std::size_t> sizes;
    for (std::size_t done = 0; done < total;) {
        x ^= x << 13;
        x ^= x >> 17;
        x ^= x << 5;
        const std::size_t size = std::min<std::size_t>(1 + x % 64, total - done);
        sizes.push_back(size);
        done += size;
    }
    return sizes;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    constexpr std::size_t kSettings = 5;
    if (size < kSettings)
        return 0;
    const auto seed = static_cast<std::uint16_t>(data[0] | data[1] << 8);
    const auto lastCommand = static_cast<std::uint8_t>(0x60 | (data[2] & 0x1F));
    const std::size_t lastLength = data[3] % (q9tx::kMaxPayload + 1);
    const std::size_t idleBytes = data[4] % (kLongestFrameTail + 1);
    const std::span<const std::uint8_t> garbage(data + kSettings, size - kSettings);

    Bytes stream(garbage.begin(), garbage.end());
    stream.insert(stream.end(), idleBytes, 0x00);
    Bytes payload(lastLength);
    for (std::size_t i = 0; i < lastLength; ++i)
        payload[i] = garbage.empty() ? std::uint8_t(i) : garbage[i % garbage.size()];
    const Bytes last = q9tx::testing::Frame(lastCommand, payload);
    stream.insert(stream.end(), last.begin(), last.end());

    PollingLink whole;
    whole.port.Receive(stream);
    PollingLink chunked;
    std::size_t offset = 0;
    for (const std::size_t chunk : ChunkSizes(seed, stream.size())) {
        chunked.port.Receive(Bytes(stream.begin() + std::ptrdiff_t(offset), stream.begin() + std::ptrdiff_t(offset + chunk)));
        offset += chunk;
    }

    q9tx::LinkState state = q9tx::lsPolling;
    const std::vector<WindowMessage> expected = ExpectedMessages(FramesIn(stream), state);
    const std::vector<WindowMessage>& posted = whole.sink.messages;
    FUZZ_CHECK(Same(posted, expected), "posted %s\n  expected %s", Describe(posted).c_str(),
               Describe(expected).c_str());
    FUZZ_CHECK(Same(chunked.sink.messages, posted), "chunked %s\n  whole %s",
               Describe(chunked.sink.messages).c_str(), Describe(posted).c_str());
    FUZZ_CHECK(whole.link.State() == state && chunked.link.State() == state, "link state %d and %d, expected %d",
               whole.link.State(), chunked.link.State(), state);
    for (const WindowMessage& message : posted) {
        FUZZ_CHECK(!message.hasFrame() || (message.payloadLength() <= q9tx::kMaxPayload &&
                                            message.frame.size() == message.payloadLength() + 1u),
                   "a delivered frame of %zu bytes says it has %d", message.frame.size(), message.payloadLength());
    }
    // After enough idle bytes any frame under way has ended, so the last frame must arrive.
    if (idleBytes == kLongestFrameTail) {
        const bool isBlock = lastCommand < 0x70;
        FUZZ_CHECK(!posted.empty(), "the last frame was lost");
        const WindowMessage& final = posted.back();
        Bytes lengthAndPayload{std::uint8_t(lastLength)};
        lengthAndPayload.insert(lengthAndPayload.end(), payload.begin(), payload.end());
        FUZZ_CHECK(final.message == (isBlock ? q9tx::WM_PAGER_BLOCK : q9tx::WM_PAGER_ACK) &&
                       final.code == (lastCommand & 0x0Fu) + 1 && final.frame == (isBlock ? lengthAndPayload : Bytes{}),
                   "the last frame arrived as %s", Describe({final}).c_str());
    }
    return 0;
}
