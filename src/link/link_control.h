#pragma once
// What the main window and the transfers need of the link. PagerLink implements it;
// window tests give the window a fake that records the frames sent.

#include <cstdint>
#include <string>

#include "link/link_messages.h"

namespace q9tx {

class LinkControl {
public:
    virtual ~LinkControl() = default;

    virtual void StartLink(MessageSink* window) = 0;
    virtual void StopLink() = 0;
    virtual void LinkTick() = 0;
    // Given every message the window handles; true when the window must restart its
    // timer with LinkTick at 50 ms.
    virtual bool HandleDeviceEvent(const WindowMessage& message) = 0;
    virtual void SendFrame(std::uint8_t command, const std::uint8_t* payload, std::uint8_t length) = 0;
    // The port open now, empty while none is.
    virtual std::string OpenPortName() const { return {}; }
    // Uses only the named port from now on; empty for the adapter ports found by themselves.
    virtual void ChoosePort(const std::string&) {}
};

}  // namespace q9tx
