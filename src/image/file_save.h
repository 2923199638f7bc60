#pragma once
// Saving a file so that no failure, full disk or kill leaves less than the old file.

#include <cstdint>
#include <span>
#include <string>

#include "image/save_faults.h"

namespace q9tx {

// Writes the content to a file without a name in the target's folder and gives it the
// target's name only when it is complete and synced, so that a kill leaves nothing
// behind; where the system has no unnamed files, a locked temporary file takes its
// place. Where the folder takes no new file, or a replacement could not keep the old
// file's owner and group, the target is written in place: the whole content at once,
// then cut to its length, never cut first. A replaced file keeps its permissions, owner
// and group. False when the file could not be written; the target then holds its old
// content, or the new one when only syncing its folder failed.
bool SaveFile(const std::string& path, std::span<const std::uint8_t> content, SaveFaults& faults);

}  // namespace q9tx
