#include "cli/file_reasons.h"

#include <cerrno>

#include <sys/stat.h>
#include <unistd.h>

#include "image/save_target.h"

namespace q9tx::cli {
namespace {

std::string ErrnoReason(int error)
{
    switch (error) {
    case ENOENT:
    case ENOTDIR:
        return "no such file";
    case EACCES:
    case EPERM:
        return "permission denied";
    case EROFS:
        return "read-only file system";
    default:
        return "cannot be used";
    }
}

}  // namespace

std::string ReadReason(const std::string& path)
{
    struct stat status {};
    if (::stat(path.c_str(), &status) != 0)
        return ErrnoReason(errno);
    if (S_ISDIR(status.st_mode))
        return "is a folder";
    if (!S_ISREG(status.st_mode))
        return "not a regular file";
    return ::access(path.c_str(), R_OK) == 0 ? std::string() : ErrnoReason(errno);
}

std::string WriteReason(const std::string& path)
{
    struct stat status {};
    if (::stat(path.c_str(), &status) == 0) {
        if (S_ISDIR(status.st_mode))
            return "is a folder";
        if (!S_ISREG(status.st_mode))
            return "not a regular file";
    }
    // A file is replaced through a new file beside it: its folder must take one.
    const std::string folder = FolderOf(path);
    if (::stat(folder.c_str(), &status) != 0)
        return ErrnoReason(errno);
    if (::access(folder.c_str(), W_OK | X_OK) != 0)
        return ErrnoReason(errno);
    return {};
}

std::string FolderProblem(const std::string& path)
{
    struct stat status {};
    if (::stat(path.c_str(), &status) != 0)
        return "does not exist";
    if (!S_ISDIR(status.st_mode))
        return "is not a folder";
    return ::access(path.c_str(), W_OK | X_OK) == 0 ? std::string() : "cannot be written to";
}

}  // namespace q9tx::cli
