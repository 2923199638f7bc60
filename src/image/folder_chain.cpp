#include "image/folder_chain.h"

#include "image/item_lists.h"

#include <algorithm>

namespace q9tx {

namespace {

std::size_t At(int folder) { return static_cast<std::size_t>(folder - 1); }

// What each box and field allows follows from the ticks alone: the window's rules keep
// it so whichever box changed last.
FolderChain Usable(const FolderTicks& ticks, bool foldersUsable)
{
    FolderChain chain{ticks, {}, ticks};
    chain.boxUsable[0] = foldersUsable;
    for (std::size_t k = 1; k < ticks.size(); ++k) {
        chain.boxUsable[k] = ticks[k - 1];
    }
    return chain;
}

}  // namespace

bool AreFoldersUsable(std::span<const std::int64_t> storageChoices)
{
    return std::any_of(storageChoices.begin(), storageChoices.end(),
                       [](std::int64_t choice) { return choice == kPublicStorage; });
}

bool AreFoldersUsable(const PagerSettings& settings)
{
    std::array<std::int64_t, kSlotsWithStorage> choices{};
    for (int slot = 1; slot <= kSlotsWithStorage; ++slot) {
        choices[static_cast<std::size_t>(slot - 1)] = settings.number(Member("storage", slot));
    }
    return AreFoldersUsable(choices);
}

FolderChain FolderChainAfterClick(std::span<const bool, kFolderCount> ticks, int folder, bool foldersUsable)
{
    FolderTicks after{};
    std::copy(ticks.begin(), ticks.end(), after.begin());
    if (!after[At(folder)]) {
        std::fill(after.begin() + folder, after.end(), false);
    }
    return Usable(after, foldersUsable);
}

FolderChain FolderChainAfterStorage(std::span<const bool, kFolderCount> ticks, bool foldersUsable)
{
    FolderTicks after{};
    if (foldersUsable) {
        std::copy(ticks.begin(), ticks.end(), after.begin());
    }
    return Usable(after, foldersUsable);
}

std::optional<std::string> FolderClickRefusal(std::span<const bool, kFolderCount> ticks, int folder,
                                              bool foldersUsable)
{
    FolderTicks current{};
    std::copy(ticks.begin(), ticks.end(), current.begin());
    if (Usable(current, foldersUsable).boxUsable[At(folder)]) {
        return std::nullopt;
    }
    if (folder == 1) {
        return "Folders are used only while an address stores publicly.";
    }
    return "Folder " + std::to_string(folder - 1) + " is not in use.";
}

std::optional<std::string> ChangeFolderTick(PagerSettings& settings, int folder, bool checked)
{
    FolderTicks ticks = FolderTicksOf(settings);
    if (ticks[At(folder)] == checked) {
        return std::nullopt;
    }
    const bool usable = AreFoldersUsable(settings);
    if (std::optional<std::string> refusal = FolderClickRefusal(ticks, folder, usable)) {
        return refusal;
    }
    ticks[At(folder)] = checked;
    SetFolderTicks(settings, FolderChainAfterClick(ticks, folder, usable).inUse);
    return std::nullopt;
}

void SettleFolders(PagerSettings& settings)
{
    SetFolderTicks(settings, FolderChainAfterStorage(FolderTicksOf(settings), AreFoldersUsable(settings)).inUse);
}

FolderTicks FolderTicksOf(const PagerSettings& settings)
{
    FolderTicks ticks{};
    for (int k = 1; k <= kFolderCount; ++k) {
        ticks[At(k)] = settings.checked(Member("folderEn", k));
    }
    return ticks;
}

void SetFolderTicks(PagerSettings& settings, const FolderTicks& ticks)
{
    for (int k = 1; k <= kFolderCount; ++k) {
        settings.setChecked(Member("folderEn", k), ticks[At(k)]);
    }
}

}  // namespace q9tx
