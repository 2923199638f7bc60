#pragma once
// What a pager's identification and information replies say, as the window shows it.

#include <string>

#include "link/link_messages.h"

namespace q9tx::cli {

// Payload bytes of an identification reply that carry map version, features and firmware.
inline constexpr std::size_t kIdentificationLength = 6;

// "V2" or "D7"; empty for a reply too short to tell.
std::string FirmwareText(const WindowMessage& reply);

// The bytes after the length byte, up to a zero byte, as the pager sent them.
std::string PayloadText(const WindowMessage& message);

}  // namespace q9tx::cli
