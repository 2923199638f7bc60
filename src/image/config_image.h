#pragma once
// The pager's 512-byte configuration image: its types, the regions it is made of and
// the little-endian access that every multi-byte field inside it uses.

#include <array>
#include <cstddef>
#include <cstdint>

namespace q9tx {

inline constexpr std::size_t kImageSize = 512;
inline constexpr std::size_t kBlockSize = 32;
inline constexpr std::size_t kBlockCount = kImageSize / kBlockSize;
inline constexpr std::size_t kHeaderSize = 32;

using ConfigImage = std::array<std::uint8_t, kImageSize>;
using ImageHeader = std::array<std::uint8_t, kHeaderSize>;
using AddressWord = std::uint32_t;
using RfWord = std::array<std::uint8_t, 4>;

struct ImageRegion {
    std::uint16_t offset;
    std::uint16_t size;
    constexpr std::uint16_t end() const { return static_cast<std::uint16_t>(offset + size); }
};

inline constexpr ImageRegion kHeaderRegion{0, 32};
inline constexpr ImageRegion kDecoderOptionsRegion{32, 4};
inline constexpr ImageRegion kAddressWordsRegion{36, 32};
inline constexpr ImageRegion kRfWordRegion{68, 4};
inline constexpr ImageRegion kFolderOptionRegion{92, 1};
inline constexpr ImageRegion kCheckWord1Region{94, 2};
inline constexpr ImageRegion kMessageFormatsRegion{96, 8};
inline constexpr ImageRegion kTonePatternsRegion{104, 14};
inline constexpr ImageRegion kGeneralBytesRegion{120, 8};
inline constexpr ImageRegion kAlertBytesRegion{128, 4};
inline constexpr ImageRegion kUrgentTargetsRegion{132, 4};
inline constexpr ImageRegion kFolderNamesRegion{136, 144};
inline constexpr ImageRegion kFolderRangesRegion{280, 32};
inline constexpr ImageRegion kPasscodeRegion{312, 4};
inline constexpr ImageRegion kBannerRegion{316, 20};
inline constexpr ImageRegion kSerialNumberRegion{336, 8};
inline constexpr ImageRegion kCannedMessagesRegion{344, 64};
inline constexpr ImageRegion kScheduleRegion{408, 28};
inline constexpr ImageRegion kCheckWord2Region{510, 2};

// The bytes each check word covers; the header and the check words themselves are
// covered by neither.
inline constexpr ImageRegion kCheckedRegion1{32, 62};
inline constexpr ImageRegion kCheckedRegion2{96, 414};

inline constexpr ImageRegion kReservedRegions[] = {
    {72, 20}, {93, 1}, {118, 2}, {127, 1}, {436, 74},
};

// Header contents.
inline constexpr std::uint16_t kImageMagic = 0xAC28;
inline constexpr std::uint8_t kLayoutVersion = 1;
inline constexpr std::size_t kMagicOffset = 0;
inline constexpr std::size_t kLayoutVersionOffset = 2;
inline constexpr std::size_t kMapVersionOffset = 3;
inline constexpr std::size_t kOriginWordOffset = 4;
inline constexpr std::size_t kFactoryChipByteOffset = 8;    // bit 7 BS2 option, bits 0-6 PLL chip
inline constexpr std::size_t kFactoryFilterByteOffset = 11; // bits 2-4 filter, bits 5-7 preamble

inline constexpr int kSlotCount = 8;          // address slots, 1 to 8
inline constexpr int kSlotsWithStorage = 4;   // slots 1 to 4 have a storage choice
inline constexpr int kSubAddressCount = 4;    // A to D
inline constexpr int kToneCount = 7;
inline constexpr int kFolderCount = 16;
inline constexpr int kFolderNameSize = 9;
inline constexpr int kCannedCount = 4;
inline constexpr int kCannedSize = 16;
inline constexpr int kDayCount = 7;

// Offsets of the members of each family; numbers count from 1 like the controls.
constexpr std::size_t AddressWordOffset(int slot) { return 32 + 4 * static_cast<std::size_t>(slot); }
constexpr std::size_t FormatByteOffset(int slot) { return 95 + static_cast<std::size_t>(slot); }
constexpr std::size_t UrgentByteOffset(int slot) { return 132 + static_cast<std::size_t>(slot - 1) / 2; }
constexpr unsigned UrgentNibbleShift(int slot) { return (slot - 1) % 2 == 0 ? 0u : 4u; }
constexpr std::size_t TonePatternOffset(int tone) { return 102 + 2 * static_cast<std::size_t>(tone); }
constexpr std::size_t FolderNameOffset(int folder) { return 127 + 9 * static_cast<std::size_t>(folder); }
constexpr std::size_t FolderRangeOffset(int folder) { return 278 + 2 * static_cast<std::size_t>(folder); }
constexpr std::size_t CannedOffset(int message) { return 328 + 16 * static_cast<std::size_t>(message); }
constexpr std::size_t ScheduleDayOffset(int day) { return 404 + 4 * static_cast<std::size_t>(day); }

inline std::uint16_t ReadLe16(const ConfigImage& image, std::size_t offset)
{
    return static_cast<std::uint16_t>(image.at(offset) | (image.at(offset + 1) << 8));
}

inline void WriteLe16(ConfigImage& image, std::size_t offset, std::uint16_t value)
{
    image.at(offset) = static_cast<std::uint8_t>(value);
    image.at(offset + 1) = static_cast<std::uint8_t>(value >> 8);
}

inline std::uint32_t ReadLe32(const ConfigImage& image, std::size_t offset)
{
    return static_cast<std::uint32_t>(ReadLe16(image, offset)) |
           (static_cast<std::uint32_t>(ReadLe16(image, offset + 2)) << 16);
}

inline void WriteLe32(ConfigImage& image, std::size_t offset, std::uint32_t value)
{
    WriteLe16(image, offset, static_cast<std::uint16_t>(value));
    WriteLe16(image, offset + 2, static_cast<std::uint16_t>(value >> 16));
}

// The header an image gets when no pager supplied one: magic, version 1, map
// version 0, everything else zero.
ImageHeader OwnImageHeader();
ImageHeader HeaderOf(const ConfigImage& image);
void PutHeader(ConfigImage& image, const ImageHeader& header);
std::uint16_t OriginWord(const ConfigImage& image);

RfWord RfWordOf(const ConfigImage& image);
void PutRfWord(ConfigImage& image, const RfWord& rfWord);

// The factory values a pager's header carries for the write transfer.
struct HeaderFactoryValues {
    bool bs2Option;
    int pllChip;              // index into the PLL chip list
    int filterStrength;       // 0 to 7; the list has five items
    int preambleError;        // 0 to 7
};
HeaderFactoryValues FactoryValuesOf(const ImageHeader& header);

}  // namespace q9tx
