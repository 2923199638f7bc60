#include "image/image_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <random>
#include <utility>

namespace q9tx {
namespace {

constexpr int kTemporaryNameAttempts = 100;

// Closes the descriptor when it goes out of scope.
class Descriptor {
public:
    explicit Descriptor(int fd) : fd_(fd) {}
    ~Descriptor()
    {
        if (fd_ >= 0)
            ::close(fd_);
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int get() const { return fd_; }
    // Closes now and reports whether the system took everything written.
    bool close() { return ::close(std::exchange(fd_, -1)) == 0; }

private:
    int fd_;
};

// Opens without waiting (a FIFO without a writer or reader would block) and keeps the
// descriptor only for a regular file, which then reads and writes normally.
int OpenRegular(const std::string& path, int flags)
{
    const int fd = ::open(path.c_str(), flags | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0)
        return -1;
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(fd);
        return -1;
    }
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    return fd;
}

bool WriteAll(int fd, const ConfigImage& image)
{
    std::size_t written = 0;
    while (written < image.size()) {
        const ssize_t n = ::write(fd, image.data() + written, image.size() - written);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        written += static_cast<std::size_t>(n);
    }
    return true;
}

// A link is followed, so that the file it names is replaced and the link stays.
std::string ResolvedTarget(const std::string& path)
{
    struct stat info {};
    if (::lstat(path.c_str(), &info) != 0 || !S_ISLNK(info.st_mode))
        return path;
    char resolved[PATH_MAX];
    return ::realpath(path.c_str(), resolved) ? std::string(resolved) : path;
}

std::string FolderOf(const std::string& path)
{
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

std::string FileNameOf(const std::string& path)
{
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// A new file beside the target, created with the permissions a new file gets (the
// user's umask applies). Sets errno and returns -1 on failure.
int CreateTemporary(const std::string& target, std::string& name)
{
    std::random_device seed;
    std::mt19937 random(seed());
    const std::string stem = FolderOf(target) + "/." + FileNameOf(target) + ".";
    for (int attempt = 0; attempt < kTemporaryNameAttempts; ++attempt) {
        name = stem + std::to_string(random() % 1000000);
        const int fd = ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST)
            return fd;
    }
    return -1;
}

bool WriteInPlace(const std::string& target, const ConfigImage& image)
{
    Descriptor file(OpenRegular(target, O_WRONLY));
    if (file.get() < 0 || ::ftruncate(file.get(), 0) != 0)
        return false;
    return WriteAll(file.get(), image) && file.close();
}

}  // namespace

ImageFileRead ReadImageFile(const std::string& path, ConfigImage& image)
{
    Descriptor file(OpenRegular(path, O_RDONLY));
    if (file.get() < 0)
        return ImageFileRead::NotReadable;
    std::size_t count = 0;
    while (count < image.size()) {
        const ssize_t n = ::read(file.get(), image.data() + count, image.size() - count);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break;
        count += static_cast<std::size_t>(n);
    }
    return count == image.size() ? ImageFileRead::Read : ImageFileRead::Short;
}

bool WriteImageFile(const std::string& path, const ConfigImage& image)
{
    const std::string target = ResolvedTarget(path);
    struct stat old {};
    const bool exists = ::stat(target.c_str(), &old) == 0;
    // A device or FIFO is no settings file to replace.
    if (exists && !S_ISREG(old.st_mode))
        return false;

    std::string temporary;
    Descriptor file(CreateTemporary(target, temporary));
    if (file.get() < 0) {
        // A folder the user may not add to, holding a file the user may write.
        if ((errno == EACCES || errno == EPERM) && exists)
            return WriteInPlace(target, image);
        return false;
    }
    if (exists) {
        ::fchmod(file.get(), old.st_mode & 07777);
        // Only a privileged user may give a file away; a group the user belongs to may
        // still be kept. Otherwise the file is the user's, as any new file would be.
        static_cast<void>(::fchown(file.get(), old.st_uid, old.st_gid) == 0 ||
                          ::fchown(file.get(), static_cast<uid_t>(-1), old.st_gid) == 0);
    }
    bool written = WriteAll(file.get(), image) && ::fsync(file.get()) == 0;
    written = file.close() && written;
    if (!written || ::rename(temporary.c_str(), target.c_str()) != 0) {
        ::unlink(temporary.c_str());
        return false;
    }
    return true;
}

}  // namespace q9tx
