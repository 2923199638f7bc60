#include "image/image_validation.h"

#include "image/status_error.h"
#include "checksum/crc16.h"

namespace q9tx {

namespace {

std::uint16_t CrcOver(const ConfigImage& image, ImageRegion region)
{
    return crc16(0, image.data() + region.offset, region.size);
}

}  // namespace

std::uint16_t ComputeCheckWord1(const ConfigImage& image) { return CrcOver(image, kCheckedRegion1); }

std::uint16_t ComputeCheckWord2(const ConfigImage& image) { return CrcOver(image, kCheckedRegion2); }

std::uint16_t StoredCheckWord1(const ConfigImage& image) { return ReadLe16(image, kCheckWord1Region.offset); }

std::uint16_t StoredCheckWord2(const ConfigImage& image) { return ReadLe16(image, kCheckWord2Region.offset); }

void StoreCheckWord1(ConfigImage& image) { WriteLe16(image, kCheckWord1Region.offset, ComputeCheckWord1(image)); }

void StoreCheckWord2(ConfigImage& image) { WriteLe16(image, kCheckWord2Region.offset, ComputeCheckWord2(image)); }

void ValidateImage(int mapVersionIndex, const ConfigImage& image)
{
    if (ReadLe16(image, kMagicOffset) != kImageMagic || image[kLayoutVersionOffset] != kLayoutVersion) {
        throw StatusError(StatusPagerUnsupported);
    }
    if (ComputeCheckWord1(image) != StoredCheckWord1(image) ||
        ComputeCheckWord2(image) != StoredCheckWord2(image)) {
        throw StatusError(StatusContentCorrupted);
    }
    if (OriginWord(image) == 0 && image[kMapVersionOffset] != mapVersionIndex) {
        throw StatusError(StatusContentMismatch);
    }
}

}  // namespace q9tx
