#include "cli/trusted_open.h"

#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <sys/stat.h>

#include "image/save_target.h"

namespace q9tx::cli {
namespace {

constexpr char kForeignLink[] = "a link that neither you nor the folder's owner made";

}  // namespace

int TrustedOpen(const std::string& path, int flags, mode_t mode, std::string& failure)
{
    struct stat link {};
    bool follow = false;
    if (::lstat(path.c_str(), &link) == 0 && S_ISLNK(link.st_mode)) {
        if (!TrustedLink(path, link)) {
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
