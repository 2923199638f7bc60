#pragma once
// The configuration image a new simulated pager holds: valid, with plausible settings.

#include <array>
#include <cstdint>
#include <string>

namespace q9tx::sim {

using ImageBytes = std::array<std::uint8_t, 512>;

ImageBytes FactoryImage();
// A factory image with another serial number (up to 8 characters), sealed.
ImageBytes FactoryImage(const std::string& serialNumber);

// Stores both check words (little-endian) for the image's current content.
void SealImage(ImageBytes& image);
// True when both stored check words match the content.
bool CheckWordsValid(const ImageBytes& image);

// The stored form of a capcode in address slot 1 to 8.
std::uint32_t AddressWord(std::uint32_t capcode, bool enabled, int slot);

}  // namespace q9tx::sim
