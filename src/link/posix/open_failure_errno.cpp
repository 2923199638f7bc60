#include "link/posix/open_failure_errno.h"

#include <cerrno>

namespace q9tx {

OpenFailure OpenFailureFromErrno(int error)
{
    switch (error) {
    case ENOENT:
    case ENODEV:
    case ENXIO:
    case ENOTDIR:
        return OpenFailure::NotFound;
    case EACCES:
    case EPERM:
    case EROFS:
        return OpenFailure::PermissionDenied;
    case EBUSY:
    case EWOULDBLOCK:
        return OpenFailure::Busy;
    default:
        return OpenFailure::Other;
    }
}

}  // namespace q9tx
