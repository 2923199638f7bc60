#pragma once
// A link that does nothing: the window runs with it where no pager can be reached
// (offscreen screenshots).

#include "link/link_control.h"

namespace q9tx {

class IdleLink : public LinkControl {
public:
    void StartLink(MessageSink*) override {}
    void StopLink() override {}
    void LinkTick() override {}
    bool HandleDeviceEvent(const WindowMessage&) override { return false; }
    void SendFrame(std::uint8_t, const std::uint8_t*, std::uint8_t) override {}
};

}  // namespace q9tx
