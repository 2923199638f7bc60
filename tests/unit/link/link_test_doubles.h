#pragma once
// Stand-ins for the link's surroundings: a port that records opens and writes, a
// discovery serving a plain list and a scripted event, and a window that records posts.

#include <algorithm>
#include <map>
#include <string>
#include <vector>

#include "link/frame.h"
#include "link/port_discovery.h"
#include "link/serial_port.h"

namespace q9tx::testing {

using Bytes = std::vector<std::uint8_t>;

inline Bytes Frame(std::uint8_t command, const Bytes& payload = {})
{
    FrameBuffer buffer{};
    const auto size = BuildFrame(buffer, command, payload.data(), std::uint8_t(payload.size()));
    return Bytes(buffer.begin(), buffer.begin() + std::ptrdiff_t(size));
}

struct FakeSerialPort : SerialPort {
    bool OpenPort(const std::string& name) override
    {
        const auto refusal = refusals.find(name);
        lastFailure = refusal == refusals.end() ? OpenFailure::None : refusal->second;
        if (!openName.empty() || lastFailure != OpenFailure::None)
            return false;
        opened.push_back(openName = name);
        return true;
    }
    bool ClosePort() override { return openName.clear(), hungUp = false, true; }
    bool WritePort(const std::uint8_t* bytes, std::size_t count) override
    {
        if (openName.empty())
            return false;
        written.push_back({openName, Bytes(bytes, bytes + count)});
        return true;
    }
    bool IsOpen() const override { return !openName.empty(); }
    bool HungUp() const override { return !openName.empty() && hungUp; }
    void SetReceiveHandler(ReceiveHandler h) override { handler = std::move(h); }
    OpenFailure LastOpenFailure() const override { return lastFailure; }
    void Receive(const Bytes& bytes) { handler(bytes.data(), bytes.size()); }

    std::map<std::string, OpenFailure> refusals;
    std::vector<std::string> opened;
    std::vector<std::pair<std::string, Bytes>> written;  // port, frame
    std::string openName;
    bool hungUp = false;
    OpenFailure lastFailure = OpenFailure::None;
    ReceiveHandler handler;
};

struct FakeDiscovery : PortDiscovery {
    void StartPortDiscovery(MessageSink*) override {}
    void StopPortDiscovery() override { ports.clear(); }
    unsigned GetAdapterPort(std::string* name, unsigned index) const override
    {
        if (name == nullptr)
            return unsigned(ports.size());
        *name = index < ports.size() ? ports[index] : "";
        return index + 1 < ports.size() ? index + 1 : kNoMorePorts;
    }
    bool IsAdapterPort(const std::string& name) const override
    {
        return std::find(ports.begin(), ports.end(), name) != ports.end();
    }
    DeviceEvent ClassifyDeviceEvent(const WindowMessage&) override { return nextEvent; }

    std::vector<std::string> ports;
    DeviceEvent nextEvent = DeviceEvent::None;
};

struct RecordingSink : MessageSink {
    void postMessage(const WindowMessage& message) override { messages.push_back(message); }
    std::vector<std::uint32_t> Codes(int number) const
    {
        std::vector<std::uint32_t> codes;
        for (const auto& message : messages)
            if (message.message == number)
                codes.push_back(message.code);
        return codes;
    }
    std::vector<WindowMessage> messages;
};

}  // namespace q9tx::testing
