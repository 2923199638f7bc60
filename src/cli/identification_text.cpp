#include "cli/identification_text.h"

namespace q9tx::cli {

std::string FirmwareText(const WindowMessage& reply)
{
    if (reply.payloadLength() < kIdentificationLength)
        return {};
    const std::uint8_t number = reply.payload(4);
    const std::uint8_t version = reply.payload(5);
    return version != 0 ? "V" + std::to_string(version) : "D" + std::to_string(number);
}

std::string PayloadText(const WindowMessage& message)
{
    std::string text;
    for (std::size_t i = 0; i < message.payloadLength() && i + 1 < message.frame.size(); ++i) {
        const char ch = static_cast<char>(message.payload(i));
        if (ch == 0)
            break;
        text += ch;
    }
    return text;
}

}  // namespace q9tx::cli
