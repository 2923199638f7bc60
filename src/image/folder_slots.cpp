#include "image/folder_slots.h"

namespace q9tx {

namespace {

constexpr std::int64_t kLastSlot = 255;
// The first-slot value that marks a folder out of use.
constexpr std::int64_t kUnusedMarker = 0xFF;

}  // namespace

std::optional<FolderSlotsProblem> CheckFolderSlots(std::span<const FolderUse> folders)
{
    // The slot before the next folder's first; the first folder starts at slot 0, and
    // when it is out of use the next one in use starts at slot 1.
    std::int64_t previousLast = -1;
    for (std::size_t index = 0; index < folders.size(); ++index) {
        const FolderUse& folder = folders[index];
        const int number = static_cast<int>(index) + 1;
        if (!folder.inUse) {
            if (index == 0)
                previousLast = 0;
            continue;
        }
        if (!folder.size)
            return std::nullopt;
        const std::int64_t first = previousLast + 1;
        const std::int64_t last = first + *folder.size - 1;
        if (first >= kUnusedMarker || last > kLastSlot)
            return FolderSlotsProblem{number, "The folders need more slots than the pager has. Make them smaller."};
        if (last < 0)
            return FolderSlotsProblem{number, "This folder needs at least one slot."};
        previousLast = last;
    }
    return std::nullopt;
}

}  // namespace q9tx
