#pragma once
// Where a save goes: the path itself, or the file that the link at the path names.

#include <sys/stat.h>

#include <optional>
#include <string>

namespace q9tx {

struct SaveTarget {
    std::string path;  // the file to create or replace
    bool exists = false;
    struct stat info {};  // the replaced file's, when it exists
};

// Empty when the save is refused: the path, or the end of its links, is no regular file;
// a link leads nowhere, or was made by someone other than the user or the owner of the
// folder it is in (so that nobody can plant a link that sends a save elsewhere); or the
// existing file may not be written by the user, or by anyone at all (a file made
// read-only is kept, also from an administrator).
std::optional<SaveTarget> ResolveSaveTarget(const std::string& path);

// Whether the link at `link` (its lstat in `info`) may be followed: the user made it, or
// the owner of its folder did. The rule the kernel applies in shared folders, everywhere.
bool TrustedLink(const std::string& link, const struct stat& info);

std::string FolderOf(const std::string& path);
std::string FileNameOf(const std::string& path);

}  // namespace q9tx
