#pragma once
// The chain of public folders: folder K can be in use only while folder K - 1 is, and
// none can while no address stores publicly.

#include "image/config_image.h"
#include "image/pager_settings.h"

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>

namespace q9tx {

using FolderTicks = std::array<bool, kFolderCount>;

// The folders after a rule ran, folder K at position K - 1: the ticks, whether its box
// can be clicked, and whether its title and size can be edited. The folder group's own
// controls are usable exactly when AreFoldersUsable.
struct FolderChain {
    FolderTicks inUse{};
    FolderTicks boxUsable{};
    FolderTicks fieldsUsable{};
    friend bool operator==(const FolderChain&, const FolderChain&) = default;
};

// The public folders are usable while at least one address with a storage choice
// stores publicly; otherwise every folder is out of use.
bool AreFoldersUsable(std::span<const std::int64_t> storageChoices);
bool AreFoldersUsable(const PagerSettings& settings);

// The folder rule after the box of `folder` (1 to 16) was ticked or unticked, as `ticks`
// hold it: an unticked folder unticks every later one; a ticked one only lets the next be
// ticked.
FolderChain FolderChainAfterClick(std::span<const bool, kFolderCount> ticks, int folder, bool foldersUsable);

// The folder-group rule after a storage choice was left: without public storage folder 1,
// and with it the whole chain, is out of use.
FolderChain FolderChainAfterStorage(std::span<const bool, kFolderCount> ticks, bool foldersUsable);

// Why the box of `folder` (1 to 16) cannot be clicked, or none when it can.
std::optional<std::string> FolderClickRefusal(std::span<const bool, kFolderCount> ticks, int folder,
                                              bool foldersUsable);

// The folder rule on settings: `folder` (1 to 16) ticked or unticked, and the chain
// carried on. A tick that stays as it is needs no usable box; otherwise the refusal of a
// box that cannot be clicked is returned and nothing changes.
std::optional<std::string> ChangeFolderTick(PagerSettings& settings, int folder, bool checked);

// The folder-group rule on settings, after a storage choice changed.
void SettleFolders(PagerSettings& settings);

// The ticks of folderEn1 to folderEn16, and their change into the settings.
FolderTicks FolderTicksOf(const PagerSettings& settings);
void SetFolderTicks(PagerSettings& settings, const FolderTicks& ticks);

}  // namespace q9tx
