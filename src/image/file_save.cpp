#include "image/file_save.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include "image/file_descriptor.h"
#include "image/save_target.h"
#include "image/save_temporaries.h"

namespace q9tx {
namespace {

constexpr int kTemporaryNameAttempts = 100;

enum class Outcome { Saved, Failed, TryNamed, TryInPlace };

bool WriteWhole(SaveFaults& faults, int fd, std::span<const std::uint8_t> content)
{
    std::size_t written = 0;
    while (written < content.size()) {
        const ssize_t n = RunStep(faults, SaveStep::Write, [&] {
            return ::pwrite(fd, content.data() + written, content.size() - written, static_cast<off_t>(written));
        });
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        written += static_cast<std::size_t>(n);
    }
    return true;
}

bool WriteAndSync(SaveFaults& faults, int fd, std::span<const std::uint8_t> content)
{
    return WriteWhole(faults, fd, content) && RunStep(faults, SaveStep::SyncFile, [&] { return ::fsync(fd); }) == 0;
}

// Gives the new file the replaced one's owner, group and permissions; false where the
// user may not give it them.
bool KeepOwnership(SaveFaults& faults, int fd, const struct stat& old)
{
    struct stat now {};
    if (::fstat(fd, &now) != 0)
        return false;
    // Owner first: changing it clears the set-ID bits that the permissions then restore.
    if ((now.st_uid != old.st_uid || now.st_gid != old.st_gid) &&
        RunStep(faults, SaveStep::KeepOwner, [&] { return ::fchown(fd, old.st_uid, old.st_gid); }) != 0)
        return false;
    return RunStep(faults, SaveStep::KeepMode, [&] { return ::fchmod(fd, old.st_mode & 07777); }) == 0;
}

bool RenameOver(SaveFaults& faults, const std::string& temporary, const std::string& target)
{
    if (RunStep(faults, SaveStep::Rename, [&] { return ::rename(temporary.c_str(), target.c_str()); }) == 0)
        return true;
    RunStep(faults, SaveStep::RemoveTemporary, [&] { return ::unlink(temporary.c_str()); });
    return false;
}

Outcome SaveUnnamed(SaveFaults& faults, const SaveTarget& target, std::span<const std::uint8_t> content)
{
    const std::string folder = FolderOf(target.path);
    const Descriptor file(RunStep(faults, SaveStep::OpenUnnamed, [&] {
        return ::open(folder.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666);
    }));
    if (file.get() < 0)
        return Outcome::TryNamed;
    // Locked before it has a name, so that no other save takes it for a stale one.
    RunStep(faults, SaveStep::Lock, [&] { return ::flock(file.get(), LOCK_EX); });
    if (target.exists && !KeepOwnership(faults, file.get(), target.info))
        return Outcome::TryInPlace;
    if (!WriteAndSync(faults, file.get(), content))
        return Outcome::Failed;
    const std::string self = "/proc/self/fd/" + std::to_string(file.get());
    const auto linkAs = [&](const std::string& name) {
        return RunStep(faults, SaveStep::Link, [&] {
            return ::linkat(AT_FDCWD, self.c_str(), AT_FDCWD, name.c_str(), AT_SYMLINK_FOLLOW);
        });
    };
    // A new file takes its name at once; an existing one is replaced by a rename.
    if (!target.exists)
        return linkAs(target.path) == 0 ? Outcome::Saved : Outcome::TryNamed;
    const std::string temporary = TemporaryName(target.path);
    if (linkAs(temporary) != 0)
        return Outcome::TryNamed;
    return RenameOver(faults, temporary, target.path) ? Outcome::Saved : Outcome::Failed;
}

Outcome SaveNamed(SaveFaults& faults, const SaveTarget& target, std::span<const std::uint8_t> content)
{
    std::string temporary;
    Descriptor file;
    for (int attempt = 0; attempt < kTemporaryNameAttempts && file.get() < 0; ++attempt) {
        temporary = TemporaryName(target.path);
        file.reset(RunStep(faults, SaveStep::CreateNamed, [&] {
            return ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        }));
        if (file.get() < 0 && errno != EEXIST)
            break;
    }
    if (file.get() < 0)
        return (errno == EACCES || errno == EPERM) && target.exists ? Outcome::TryInPlace : Outcome::Failed;
    RunStep(faults, SaveStep::Lock, [&] { return ::flock(file.get(), LOCK_EX); });
    const bool owned = !target.exists || KeepOwnership(faults, file.get(), target.info);
    if (owned && WriteAndSync(faults, file.get(), content))
        return RenameOver(faults, temporary, target.path) ? Outcome::Saved : Outcome::Failed;
    RunStep(faults, SaveStep::RemoveTemporary, [&] { return ::unlink(temporary.c_str()); });
    return owned ? Outcome::Failed : Outcome::TryInPlace;
}

// The old content stays whole until the new is written over it: the file is cut to the
// new length only afterwards.
bool SaveInPlace(SaveFaults& faults, const SaveTarget& target, std::span<const std::uint8_t> content)
{
    const Descriptor file(
        RunStep(faults, SaveStep::OpenInPlace, [&] { return OpenRegular(target.path, O_WRONLY); }));
    return file.get() >= 0 && WriteWhole(faults, file.get(), content) &&
           RunStep(faults, SaveStep::Truncate, [&] {
               return ::ftruncate(file.get(), static_cast<off_t>(content.size()));
           }) == 0 &&
           RunStep(faults, SaveStep::SyncFile, [&] { return ::fsync(file.get()); }) == 0;
}

// So that the new name survives a power cut too.
bool SyncFolder(SaveFaults& faults, const std::string& folder)
{
    const Descriptor listing(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    // A folder the user may not read cannot be synced; the file itself was.
    if (listing.get() < 0)
        return true;
    return RunStep(faults, SaveStep::SyncFolder, [&] { return ::fsync(listing.get()); }) == 0 || errno == EINVAL;
}

}  // namespace

bool SaveFile(const std::string& path, std::span<const std::uint8_t> content, SaveFaults& faults)
{
    const std::optional<SaveTarget> target = ResolveSaveTarget(path);
    if (!target)
        return false;
    RemoveStaleTemporaries(target->path, faults);
    Outcome outcome = SaveUnnamed(faults, *target, content);
    if (outcome == Outcome::TryNamed)
        outcome = SaveNamed(faults, *target, content);
    if (outcome == Outcome::TryInPlace)
        return SaveInPlace(faults, *target, content);
    return outcome == Outcome::Saved && SyncFolder(faults, FolderOf(target->path));
}

}  // namespace q9tx
