#include "image/save_target.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <climits>

namespace q9tx {
namespace {

// As many links in a row as the system itself follows.
constexpr int kMostLinks = 40;
constexpr mode_t kAnyWrite = S_IWUSR | S_IWGRP | S_IWOTH;

std::optional<std::string> LinkTarget(const std::string& link)
{
    std::string target(PATH_MAX, '\0');
    const ssize_t length = ::readlink(link.c_str(), target.data(), target.size());
    if (length <= 0 || static_cast<std::size_t>(length) >= target.size())
        return std::nullopt;
    target.resize(static_cast<std::size_t>(length));
    return target.front() == '/' ? target : FolderOf(link) + "/" + target;
}

}  // namespace

bool TrustedLink(const std::string& link, const struct stat& info)
{
    if (info.st_uid == ::geteuid())
        return true;
    struct stat folder {};
    return ::stat(FolderOf(link).c_str(), &folder) == 0 && folder.st_uid == info.st_uid;
}

std::optional<SaveTarget> ResolveSaveTarget(const std::string& path)
{
    SaveTarget target{path};
    for (int links = 0;; ++links) {
        if (::lstat(target.path.c_str(), &target.info) != 0) {
            // Nothing there yet: a new file, but never at the end of a dangling link.
            if (errno == ENOENT && links == 0)
                return target;
            return std::nullopt;
        }
        if (!S_ISLNK(target.info.st_mode))
            break;
        if (links == kMostLinks || !TrustedLink(target.path, target.info))
            return std::nullopt;
        const std::optional<std::string> next = LinkTarget(target.path);
        if (!next)
            return std::nullopt;
        target.path = *next;
    }
    if (!S_ISREG(target.info.st_mode) || (target.info.st_mode & kAnyWrite) == 0 ||
        ::faccessat(AT_FDCWD, target.path.c_str(), W_OK, AT_EACCESS) != 0)
        return std::nullopt;
    target.exists = true;
    return target;
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

}  // namespace q9tx
