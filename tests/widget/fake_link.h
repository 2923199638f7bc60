#pragma once
// A link for window tests: records what the window asks of it and lets a test decide
// how it answers device events.

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "link/link_control.h"

struct SentFrame {
    std::uint8_t command = 0;
    std::vector<std::uint8_t> payload;
};

class FakeLink : public q9tx::LinkControl {
public:
    void StartLink(q9tx::MessageSink* window) override
    {
        ++starts;
        sink = window;
    }
    void StopLink() override { ++stops; }
    void LinkTick() override { ++ticks; }
    bool HandleDeviceEvent(const q9tx::WindowMessage& message) override
    {
        seen.push_back(message);
        if (onDeviceEvent)
            onDeviceEvent(message);
        return restartOnDeviceEvent && message.message == q9tx::WM_DEVICECHANGE;
    }
    void SendFrame(std::uint8_t command, const std::uint8_t* payload, std::uint8_t length) override
    {
        sent.push_back({command, std::vector<std::uint8_t>(payload, payload + length)});
    }

    std::string OpenPortName() const override { return openPort; }
    void ChoosePort(const std::string& name) override { chosen.push_back(name); }

    int starts = 0;
    int stops = 0;
    int ticks = 0;
    q9tx::MessageSink* sink = nullptr;
    std::vector<q9tx::WindowMessage> seen;  // every message given to HandleDeviceEvent
    std::vector<SentFrame> sent;
    bool restartOnDeviceEvent = false;
    std::string openPort;              // the port the link has open
    std::vector<std::string> chosen;   // every ChoosePort, in order
    std::function<void(const q9tx::WindowMessage&)> onDeviceEvent;  // may throw
};
