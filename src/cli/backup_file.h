#pragma once
// Keeping a pager's image, before it is written, as a new file of its own.

#include <string>

#include <QDateTime>

#include "image/config_image.h"

namespace q9tx::cli {

struct KeptBackup {
    std::string path;     // empty when it failed
    std::string failure;  // why
};

// Writes `image` to a new file in `dir` (see FreeBackupPath) and waits until it is on the
// disk. It never replaces a file or follows a link, even one made meanwhile.
KeptBackup WriteBackup(const std::string& dir, const std::string& serialNumber, const QDateTime& time,
                       const ConfigImage& image, const std::string& note = {});

}  // namespace q9tx::cli
