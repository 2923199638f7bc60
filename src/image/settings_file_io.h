#pragma once
// Reading and writing settings files without the window: 512 bytes, the configuration
// image byte for byte. Only regular files are read or replaced, so a device or a pipe
// named like a settings file can neither hang nor receive the settings; a file is
// replaced whole or not at all, so a failed write leaves the old one.

#include "image/config_image.h"

#include <string>

namespace q9tx {

// The first 512 bytes of the file; a longer file is accepted. Throws StatusError 1300
// "File could not be read." when the file cannot be opened or is no regular file, and
// 1301 "File corrupted." when it holds fewer than 512 bytes or cannot be read.
ConfigImage ReadSettingsFile(const std::string& path);

// Throws StatusError 1302 "File could not be written." when the path names something other
// than a regular file, a dangling link or one made by a stranger, a file the user may not
// write, or the file cannot be written whole; the file then keeps its old content.
void WriteSettingsFile(const std::string& path, const ConfigImage& image);

}  // namespace q9tx
