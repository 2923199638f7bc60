#pragma once
// The system calls a save makes, named, and the seam through which a test fails any of
// them, or all from one on as a kill would, without killing anything.

#include <cerrno>

namespace q9tx {

enum class SaveStep {
    OpenUnnamed,      // a file without a name in the target's folder
    CreateNamed,      // a temporary file with a name, where the folder has no unnamed files
    Lock,             // marks the temporary file as in use
    KeepOwner,        // the replaced file's owner and group
    KeepMode,         // the replaced file's permissions
    OpenInPlace,      // the target itself, where the folder takes no new file
    Write,
    Truncate,         // in place: to the new content's length, after it is written
    SyncFile,
    Link,             // the unnamed file gets a name
    Rename,           // the temporary file replaces the target
    SyncFolder,
    RemoveTemporary,  // a failed save's own, or a killed save's stale temporary file
};

class SaveFaults {
public:
    virtual ~SaveFaults() = default;
    // 0 lets the step's call run; otherwise the call is skipped and fails with this errno.
    virtual int failure(SaveStep step) = 0;
};

// Runs one step's call unless the faults fail it; -1 with errno set then.
template <typename Call>
auto RunStep(SaveFaults& faults, SaveStep step, Call call) -> decltype(call())
{
    if (const int error = faults.failure(step)) {
        errno = error;
        return -1;
    }
    return call();
}

}  // namespace q9tx
