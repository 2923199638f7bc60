#include "image/config_image.h"

#include <algorithm>

namespace q9tx {

ImageHeader OwnImageHeader()
{
    ImageHeader header{};
    header[kMagicOffset] = static_cast<std::uint8_t>(kImageMagic & 0xFF);
    header[kMagicOffset + 1] = static_cast<std::uint8_t>(kImageMagic >> 8);
    header[kLayoutVersionOffset] = kLayoutVersion;
    return header;
}

ImageHeader HeaderOf(const ConfigImage& image)
{
    ImageHeader header{};
    std::copy_n(image.begin(), kHeaderSize, header.begin());
    return header;
}

void PutHeader(ConfigImage& image, const ImageHeader& header)
{
    std::copy(header.begin(), header.end(), image.begin());
}

std::uint16_t OriginWord(const ConfigImage& image)
{
    return ReadLe16(image, kOriginWordOffset);
}

RfWord RfWordOf(const ConfigImage& image)
{
    RfWord rfWord{};
    std::copy_n(image.begin() + kRfWordRegion.offset, rfWord.size(), rfWord.begin());
    return rfWord;
}

void PutRfWord(ConfigImage& image, const RfWord& rfWord)
{
    std::copy(rfWord.begin(), rfWord.end(), image.begin() + kRfWordRegion.offset);
}

HeaderFactoryValues FactoryValuesOf(const ImageHeader& header)
{
    const std::uint8_t chipByte = header[kFactoryChipByteOffset];
    const std::uint8_t filterByte = header[kFactoryFilterByteOffset];
    return HeaderFactoryValues{
        .bs2Option = (chipByte & 0x80) != 0,
        .pllChip = chipByte & 0x7F,
        .filterStrength = (filterByte >> 2) & 0x07,
        .preambleError = (filterByte >> 5) & 0x07,
    };
}

}  // namespace q9tx
