#include "image/settings_file_io.h"

#include "image/message_texts.h"
#include "image/status_error.h"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace q9tx {

namespace {

constexpr mode_t kNewFileMode = 0666;

class FileDescriptor {
public:
    explicit FileDescriptor(int fd) : fd_(fd) {}
    ~FileDescriptor()
    {
        if (fd_ >= 0) {
            ::close(fd_);
        }
    }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    int get() const { return fd_; }
    // Closes now and tells whether the close succeeded.
    bool close()
    {
        const int fd = fd_;
        fd_ = -1;
        return ::close(fd) == 0;
    }

private:
    int fd_;
};

bool ReadAll(int fd, std::uint8_t* data, std::size_t size)
{
    std::size_t done = 0;
    while (done < size) {
        const ssize_t n = ::read(fd, data + done, size - done);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            return false;
        }
        done += static_cast<std::size_t>(n);
    }
    return true;
}

bool WriteAll(int fd, const std::uint8_t* data, std::size_t size)
{
    std::size_t done = 0;
    while (done < size) {
        const ssize_t n = ::write(fd, data + done, size - done);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            return false;
        }
        done += static_cast<std::size_t>(n);
    }
    return true;
}

mode_t CurrentUmask()
{
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return mask;
}

}  // namespace

ConfigImage ReadSettingsFile(const std::string& path)
{
    // Opened without waiting, so that a pipe without a writer cannot block the open.
    FileDescriptor file(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY));
    struct stat info {};
    if (file.get() < 0 || ::fstat(file.get(), &info) != 0 || !S_ISREG(info.st_mode)) {
        throw StatusError(kStatusFileNotRead);
    }
    ConfigImage image{};
    if (!ReadAll(file.get(), image.data(), image.size())) {
        throw StatusError(kStatusFileCorrupted);
    }
    return image;
}

void WriteSettingsFile(const std::string& path, const ConfigImage& image)
{
    mode_t mode = kNewFileMode & ~CurrentUmask();
    struct stat existing {};
    if (::stat(path.c_str(), &existing) == 0) {
        if (!S_ISREG(existing.st_mode)) {
            throw StatusError(kStatusFileNotWritten);
        }
        mode = existing.st_mode & 07777;
    }
    std::string temporary = path + ".XXXXXX";
    FileDescriptor file(::mkstemp(temporary.data()));
    if (file.get() < 0) {
        throw StatusError(kStatusFileNotWritten);
    }
    const bool written = ::fchmod(file.get(), mode) == 0 && WriteAll(file.get(), image.data(), image.size()) &&
                         ::fsync(file.get()) == 0 && file.close() &&
                         std::rename(temporary.c_str(), path.c_str()) == 0;
    if (!written) {
        ::unlink(temporary.c_str());
        throw StatusError(kStatusFileNotWritten);
    }
}

}  // namespace q9tx
