#include "image/image_validation.h"
#include "image/status_error.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <string>

namespace q9tx {
namespace {

// A valid image whose contents are not all zero, with map version 0 and origin word 0.
ConfigImage ValidImage()
{
    ConfigImage image{};
    for (std::size_t i = 0; i < image.size(); ++i) {
        image[i] = static_cast<std::uint8_t>(i * 37 + 11);
    }
    PutHeader(image, OwnImageHeader());
    StoreCheckWord1(image);
    StoreCheckWord2(image);
    return image;
}

std::optional<int> Verdict(const ConfigImage& image, int mapVersionIndex = 0)
{
    try {
        ValidateImage(mapVersionIndex, image);
        return std::nullopt;
    } catch (const StatusError& error) {
        return error.number();
    }
}

TEST(ValidateImage, EachCheckAloneAndTheirOrder)
{
    enum Change { Magic = 1, Version = 2, Word1 = 4, Word2 = 8, Map = 16, Origin = 32 };
    struct Case {
        int changes;
        std::optional<int> verdict;
    };
    const Case cases[] = {
        {0, std::nullopt},        {Magic, 1103},       {Version, 1103},
        {Word1, 1403},            {Word2, 1403},       {Map, 1401},
        {Map | Origin, std::nullopt},                  {Magic | Word1 | Word2 | Map, 1103},
        {Word1 | Map, 1403},      {Word2 | Map, 1403},
    };
    for (const Case& c : cases) {
        ConfigImage image = ValidImage();
        image[1] ^= (c.changes & Magic) ? 0x01 : 0;
        image[2] = (c.changes & Version) ? 2 : 1;
        image[94] ^= (c.changes & Word1) ? 0x01 : 0;
        image[511] ^= (c.changes & Word2) ? 0x80 : 0;
        image[3] = (c.changes & Map) ? 1 : 0;
        image[5] = (c.changes & Origin) ? 0x80 : 0;
        EXPECT_EQ(Verdict(image), c.verdict) << "changes " << c.changes;
    }
    ConfigImage image = ValidImage();
    image[3] = 3;
    EXPECT_EQ(Verdict(image, 3), std::nullopt);
    EXPECT_EQ(Verdict(ValidImage(), -1), 1401);  // no map version shown
}

TEST(ValidateImage, OnlyCheckedBytesMatter)
{
    for (std::size_t offset = 6; offset < kImageSize; ++offset) {
        // Header bytes 6 to 31 are covered by nothing; every later byte is a check word
        // or covered by one.
        const std::optional<int> expected = offset >= 32 ? std::optional(1403) : std::nullopt;
        for (const int flip : {0x01, 0x80, 0xFF}) {
            ConfigImage image = ValidImage();
            image[offset] ^= static_cast<std::uint8_t>(flip);
            EXPECT_EQ(Verdict(image), expected)
                << "byte " << offset << " ^ " << flip;
        }
    }
}

TEST(ValidateImage, CheckWordsAreLittleEndianCrcsOfTheirRegions)
{
    // Leading zero bytes leave a CRC started from 0 unchanged, so each region's CRC is
    // that of the text at its end: 0x31C3 for "123456789".
    const std::string text = "123456789";
    ConfigImage image{};
    PutHeader(image, OwnImageHeader());
    std::copy(text.begin(), text.end(), image.begin() + 94 - 9);
    std::copy(text.begin(), text.end(), image.begin() + 510 - 9);
    StoreCheckWord1(image);
    StoreCheckWord2(image);
    EXPECT_EQ(ReadLe16(image, 94), 0x31C3u);
    EXPECT_EQ(ReadLe16(image, 510), 0x31C3u);
    EXPECT_EQ(Verdict(image), std::nullopt);
}

}  // namespace
}  // namespace q9tx
