#include "factory_image.h"

#include <algorithm>
#include <cstring>
#include <string>

#include "checksum/crc16.h"

namespace q9tx::sim {

namespace {

constexpr std::uint32_t kFirstCapcode = 1234560;
constexpr std::uint16_t kSlotTags[8] = {0x006, 0x406, 0x206, 0x606, 0x106, 0x506, 0x306, 0x706};
constexpr std::uint16_t kTonePatterns[7] = {0xFFFC, 0xCFFC, 0xCCC0, 0xCCCC, 0xA000, 0xD1B1, 0x8000};

// Offset of a field in the image, with the byte values placed there.
struct FixedBytes {
    std::size_t offset;
    std::initializer_list<std::uint8_t> bytes;
};

const FixedBytes kFixedBytes[] = {
    {0, {0x28, 0xAC, 0x01, 0x00, 0x01, 0x00}},  // magic, layout 1, map version 0, origin word 1
    {8, {0x02}},                                // FS8108, BS2 off
    {11, {0x24}},                               // filter strength FS2, preamble error 2 CNT
    {32, {0x02, 0x96, 0xEF, 0x95}},             // 1200 bps, normal, BS1 30, BS3 31
    {68, {0xA2, 0x00, 0x88, 0x50}},             // 457.6 MHz on the FS8108
    {96, {0x55, 0x55, 0x55, 0x55, 0x55, 0x55, 0x55, 0x55}},  // every sub-address "Alphanum"
    {120, {15, 10, 0x07, 0, 30, 0, 0x0F}},                      // contrast, hold, texts, range hold, menus
    {128, {0xE2, 0x00, 0x10, 0x20}},                            // alert 16 s, message hold 32 s, options
};

constexpr std::size_t kSerialNumberOffset = 336;
constexpr std::size_t kSerialNumberLength = 8;

const struct {
    std::size_t offset;
    const char* text;
} kTexts[] = {
    {312, "6947"},                  // passcode
    {316, "---- Zerin Q9TX ----"},  // banner, fills its 20 bytes
    {kSerialNumberOffset, "00012345"},  // serial number
};

std::uint32_t ReverseBits(std::uint32_t value, int count)
{
    std::uint32_t reversed = 0;
    for (int i = 0; i < count; ++i) {
        reversed |= ((value >> i) & 1u) << (count - 1 - i);
    }
    return reversed;
}

void PutWord16(ImageBytes& image, std::size_t offset, std::uint16_t value)
{
    image[offset] = static_cast<std::uint8_t>(value & 0xFF);
    image[offset + 1] = static_cast<std::uint8_t>(value >> 8);
}

std::uint16_t Word16(const ImageBytes& image, std::size_t offset)
{
    return static_cast<std::uint16_t>(image[offset] | (image[offset + 1] << 8));
}

std::uint16_t CheckWord1(const ImageBytes& image) { return crc16(0, image.data() + 32, 62); }
std::uint16_t CheckWord2(const ImageBytes& image) { return crc16(0, image.data() + 96, 414); }

}  // namespace

std::uint32_t AddressWord(std::uint32_t capcode, bool enabled, int slot)
{
    const std::uint32_t r = ReverseBits(capcode, 21);
    return (r << 14) | ((r >> 7) & 0x3800) | (enabled ? 0x80u : 0u) | kSlotTags[slot - 1];
}

ImageBytes FactoryImage()
{
    ImageBytes image{};
    for (const FixedBytes& field : kFixedBytes) {
        std::size_t offset = field.offset;
        for (std::uint8_t byte : field.bytes) {
            image[offset++] = byte;
        }
    }
    for (int slot = 1; slot <= 8; ++slot) {
        const std::uint32_t word = AddressWord(kFirstCapcode + 8 * (slot - 1), true, slot);
        for (int i = 0; i < 4; ++i) {
            image[32 + 4 * slot + i] = static_cast<std::uint8_t>(word >> (8 * i));
        }
    }
    for (int tone = 0; tone < 7; ++tone) {
        PutWord16(image, 104 + 2 * tone, kTonePatterns[tone]);
    }
    for (int folder = 1; folder <= 16; ++folder) {
        const std::string name = (folder < 10 ? "Folder 0" : "Folder ") + std::to_string(folder);
        std::memcpy(image.data() + 127 + 9 * folder, name.data(), name.size());
        image[278 + 2 * folder] = 0xFF;  // disabled: first slot FF, last 00
    }
    for (const auto& text : kTexts) {
        std::memcpy(image.data() + text.offset, text.text, std::strlen(text.text));
    }
    for (int day = 1; day <= 7; ++day) {
        const std::uint8_t workingHours[4] = {9, 0, 18, 0};
        std::memcpy(image.data() + 404 + 4 * day, workingHours, sizeof workingHours);
    }
    SealImage(image);
    return image;
}

ImageBytes FactoryImage(const std::string& serialNumber)
{
    ImageBytes image = FactoryImage();
    std::memset(image.data() + kSerialNumberOffset, 0, kSerialNumberLength);
    std::memcpy(image.data() + kSerialNumberOffset, serialNumber.data(),
                std::min(serialNumber.size(), kSerialNumberLength));
    SealImage(image);
    return image;
}

void SealImage(ImageBytes& image)
{
    PutWord16(image, 94, CheckWord1(image));
    PutWord16(image, 510, CheckWord2(image));
}

bool CheckWordsValid(const ImageBytes& image)
{
    return Word16(image, 94) == CheckWord1(image) && Word16(image, 510) == CheckWord2(image);
}

}  // namespace q9tx::sim
