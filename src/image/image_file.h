#pragma once
// Settings files on disk, through POSIX calls: only regular files are read or replaced,
// so a FIFO or a device named like a settings file never blocks the program.

#include <string>

#include "image/config_image.h"

namespace q9tx {

enum class ImageFileRead {
    Read,         // the image holds the file's first 512 bytes
    NotReadable,  // missing, no permission, or not a regular file
    Short,        // fewer than 512 bytes, or the read failed
};

// Reads the first 512 bytes; a longer file is accepted. Never waits for a writer.
ImageFileRead ReadImageFile(const std::string& path, ConfigImage& image);

// Writes the image to a temporary file beside the target and renames it over the
// target, so that a failed save leaves an earlier file as it was. Where the folder takes
// no new file but the target is a writable regular file, writes the target in place.
// A replaced file keeps its permissions, and its owner and group as far as the user may
// set them. A target that exists but is no regular file is refused. False when the file
// could not be written; the target is then unchanged, unless it was being written in place.
bool WriteImageFile(const std::string& path, const ConfigImage& image);

}  // namespace q9tx
