#pragma once
// Opening the journal and the backups in a folder that others may write to, such as /tmp:
// a link in the file's place is followed only when the folder's owner made it, as the
// kernel does for sticky folders, so that nobody can point the record elsewhere.

#include <string>

#include <sys/types.h>

namespace q9tx::cli {

// The descriptor, or -1 with `failure` set to the reason.
int TrustedOpen(const std::string& path, int flags, mode_t mode, std::string& failure);

}  // namespace q9tx::cli
