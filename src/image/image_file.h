#pragma once
// Settings files on disk, through POSIX calls: only regular files are read or replaced,
// so a FIFO or a device named like a settings file never blocks the program.

#include <string>

#include "image/config_image.h"
#include "image/save_faults.h"

namespace q9tx {

enum class ImageFileRead {
    Read,         // the image holds the file's first 512 bytes
    NotReadable,  // missing, no permission, or not a regular file
    Short,        // fewer than 512 bytes, or the read failed
};

// Reads the first 512 bytes; a longer file is accepted. Never waits for a writer.
ImageFileRead ReadImageFile(const std::string& path, ConfigImage& image);

// Saves the image as SaveFile does (the file is whole, old or new, whatever happens),
// following a link that the user or the folder's owner made. Refuses, and returns false
// for, what is no regular file, a dangling or foreign link, and a file the user may not
// write or that nobody may write; then, and whenever the file could not be written, the
// target keeps its old content.
bool WriteImageFile(const std::string& path, const ConfigImage& image);
// The same, with every system call of the save open to injected failures.
bool WriteImageFile(const std::string& path, const ConfigImage& image, SaveFaults& faults);

}  // namespace q9tx
