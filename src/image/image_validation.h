#pragma once
// The checks an image passes before it reaches the editor, and the two check words that
// protect its contents.

#include "image/config_image.h"
#include "image/status_texts.h"

#include <cstdint>

namespace q9tx {

std::uint16_t ComputeCheckWord1(const ConfigImage& image);
std::uint16_t ComputeCheckWord2(const ConfigImage& image);
std::uint16_t StoredCheckWord1(const ConfigImage& image);
std::uint16_t StoredCheckWord2(const ConfigImage& image);

// Each stores its check word little-endian. Check word 1 may be stored as soon as
// offsets 32 to 93 are final; check word 2 last.
void StoreCheckWord1(ConfigImage& image);
void StoreCheckWord2(ConfigImage& image);

// In this order, the first failure ending it with StatusError:
//   magic 0xAC28 and layout version 1, else 1103;
//   check word 1, else 1403;
//   check word 2, else 1403;
//   when the origin word is 0, the map version byte must equal `mapVersionIndex`
//   (the item the map version box shows; -1 for none never matches), else 1401.
void ValidateImage(int mapVersionIndex, const ConfigImage& image);

}  // namespace q9tx
