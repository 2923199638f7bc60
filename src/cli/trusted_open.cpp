#include "cli/trusted_open.h"

#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <sys/stat.h>

namespace q9tx::cli {
namespace {

constexpr char kForeignLink[] = "a link that the folder's owner did not make";

std::string FolderOf(const std::string& path)
{
    const auto slash = path.find_last_of('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

}  // namespace

int TrustedOpen(const std::string& path, int flags, mode_t mode, std::string& failure)
{
    struct stat link {};
    bool follow = false;
    if (::lstat(path.c_str(), &link) == 0 && S_ISLNK(link.st_mode)) {
        struct stat folder {};
        if (::lstat(FolderOf(path).c_str(), &folder) != 0 || folder.st_uid != link.st_uid) {
            failure = kForeignLink;
            return -1;
        }
        follow = true;
    }
    const int file = ::open(path.c_str(), flags | O_CLOEXEC | (follow ? 0 : O_NOFOLLOW), mode);
    if (file < 0)
        failure = errno == ELOOP && !follow ? kForeignLink : std::strerror(errno);
    return file;
}

}  // namespace q9tx::cli
