#pragma once
// Whether the folders' sizes can be stored as slot ranges that read back as the same
// sizes. The image keeps each range as two slot numbers of one byte, and a first slot
// of 0xFF marks a folder out of use: a range that runs past slot 255, starts at 255 or
// ends before slot 0 would come back as other folders than the ones saved.

#include <cstdint>
#include <optional>
#include <span>
#include <string>

namespace q9tx {

struct FolderUse {
    bool inUse = false;
    // The size the folder's field holds; none when it holds no number, which ends the
    // check there (the slots of later folders depend on it).
    std::optional<std::int64_t> size;
};

struct FolderSlotsProblem {
    int folder;           // 1 to 16
    std::string message;  // what to change
    friend bool operator==(const FolderSlotsProblem&, const FolderSlotsProblem&) = default;
};

// The first folder, in order, whose range cannot be stored, with the reason.
std::optional<FolderSlotsProblem> CheckFolderSlots(std::span<const FolderUse> folders);

}  // namespace q9tx
