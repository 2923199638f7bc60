#pragma once
// Why a file or folder named on the command line cannot be used, in a few words that say
// what to fix.

#include <string>

namespace q9tx::cli {

// Why a file cannot be read: "no such file", "is a folder", "not a regular file",
// "permission denied"; empty when none of these applies.
std::string ReadReason(const std::string& path);

// Why a file cannot be written (created or replaced); empty when it can.
std::string WriteReason(const std::string& path);

// "does not exist", "is not a folder" or "cannot be written to"; empty for a folder that
// takes new files.
std::string FolderProblem(const std::string& path);

}  // namespace q9tx::cli
