#include "cli/backup_file.h"

#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <unistd.h>

#include "cli/backup_names.h"
#include "image/path_bytes.h"

namespace q9tx::cli {
namespace {

// Names tried when others take each free name first.
constexpr int kAttempts = 100;

bool WriteAll(int file, const ConfigImage& image)
{
    std::size_t written = 0;
    while (written < image.size()) {
        const ssize_t count = ::write(file, image.data() + written, image.size() - written);
        if (count < 0 && errno == EINTR)
            continue;
        if (count <= 0)
            return false;
        written += std::size_t(count);
    }
    return ::fsync(file) == 0;
}

}  // namespace

KeptBackup WriteBackup(const std::string& dir, const std::string& serialNumber, const QDateTime& time,
                       const ConfigImage& image, const std::string& note)
{
    for (int attempt = 0; attempt < kAttempts; ++attempt) {
        // The folder's name as its bytes, so that one that is not UTF-8 is the folder named.
        const std::string path = PathBytes(FreeBackupPath(PathFromBytes(QByteArray::fromStdString(dir)),
                                                          serialNumber, time, QString::fromStdString(note)));
        const int file = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC | O_NOCTTY, 0644);
        if (file < 0 && errno == EEXIST)
            continue;
        if (file < 0)
            return {{}, path + ": " + std::strerror(errno)};
        const bool written = WriteAll(file, image);
        const int error = errno;
        if (::close(file) != 0 || !written) {
            ::unlink(path.c_str());
            return {{}, path + ": " + std::strerror(written ? errno : error)};
        }
        return {path, {}};
    }
    return {{}, dir + ": no free name for the backup"};
}

}  // namespace q9tx::cli
