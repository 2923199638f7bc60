#pragma once
// The messages the link posts to the main window, and the sink it posts them through.
// Every message carries its own copy of the frame it reports, so that a second frame
// parsed before the window handles the first cannot change what the first one says.

#include <cstdint>
#include <vector>

namespace q9tx {

enum WindowMessageNumber : int {
    WM_DEVICECHANGE = 537,  // adapter arrival or removal
    WM_PAGER_LINK = 1124,   // link event, code below
    WM_PAGER_BLOCK = 1126,  // block of the image received, code = block + 1
    WM_PAGER_ACK = 1127,    // write acknowledgement or verdict
    // A port that may not be opened: code = the OpenFailure value (permission denied or
    // held by another program; for a port the user named, any reason), frame = a length
    // byte and the port name. Posted once per port and reason until the port opens.
    WM_PAGER_PORT_PROBLEM = 1128,
};

// Codes of WM_PAGER_LINK.
enum PagerLinkCode : std::uint32_t {
    LinkNoAdapter = 1,
    LinkPagerSupported = 3,
    LinkMapVersionTooNew = 4,
    LinkPagerUnsupported = 5,
    LinkPagerLost = 6,
    LinkInformationText = 7,
};

// Codes of WM_PAGER_ACK beyond the block acknowledgements 1 to 16.
enum PagerAckCode : std::uint32_t {
    AckVerifying = 4097,  // J
    AckFailedK = 4098,    // K
    AckCompleted = 4099,  // L
    AckFailedM = 4100,    // M
};

// Device-change event codes and the port device type.
enum DeviceEventCode : std::uint32_t {
    DBT_DEVNODES_CHANGED = 0x0007,
    DBT_DEVICEARRIVAL = 0x8000,
    DBT_DEVICEQUERYREMOVE_PENDING = 0x8003,
    DBT_DEVICEREMOVECOMPLETE = 0x8004,
};
constexpr std::uint32_t DBT_DEVTYP_PORT = 3;

struct WindowMessage {
    int message = 0;
    std::uint32_t code = 0;         // first message parameter
    std::uint32_t deviceType = 0;   // device-change messages only
    // Length byte followed by the payload, copied from the receive frame buffer;
    // empty when the message carries no frame.
    std::vector<std::uint8_t> frame;

    bool hasFrame() const { return !frame.empty(); }
    std::uint8_t payloadLength() const { return frame.empty() ? 0 : frame[0]; }
    // Payload byte i, or 0 past the end of what was received.
    std::uint8_t payload(std::size_t i) const { return i + 1 < frame.size() ? frame[i + 1] : 0; }
};

// Where the link and the device monitor post their messages. The window's
// implementation posts a Qt event, so reactions happen in the window's handler.
class MessageSink {
public:
    virtual ~MessageSink() = default;
    virtual void postMessage(const WindowMessage& message) = 0;
};

}  // namespace q9tx
