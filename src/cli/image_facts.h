#pragma once
// What the journal and the pager's line say about an image: the serial number, the
// capcodes in use and the frequency, read from the bytes that were read or written.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "image/config_image.h"

namespace q9tx::cli {

struct ImageFacts {
    std::string serialNumber;  // empty for an image not made by a pager (origin word 0)
    std::vector<std::uint32_t> capcodes;  // the enabled slots, in slot order
    std::optional<std::uint32_t> frequency;  // hertz; none when the RF word holds none
};

ImageFacts FactsOf(const ConfigImage& image);

}  // namespace q9tx::cli
