#include "image/save_temporaries.h"

#include <dirent.h>
#include <fcntl.h>
#include <limits.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <memory>
#include <random>
#include <string_view>

#include "image/file_descriptor.h"
#include "image/save_target.h"

namespace q9tx {
namespace {

constexpr std::string_view kMark = ".q9tx-";
constexpr std::string_view kRandomCharacters = "0123456789abcdefghijklmnopqrstuvwxyz";
constexpr std::size_t kRandomLength = 6;

// "." and as much of the target's name as leaves room for the mark and the random part.
std::string PrefixOf(const std::string& target)
{
    const std::size_t room = NAME_MAX - 1 - kMark.size() - kRandomLength;
    return "." + FileNameOf(target).substr(0, room) + std::string(kMark);
}

bool IsTemporaryOf(std::string_view entry, const std::string& prefix)
{
    return entry.size() == prefix.size() + kRandomLength && entry.substr(0, prefix.size()) == prefix &&
           std::all_of(entry.begin() + static_cast<std::ptrdiff_t>(prefix.size()), entry.end(),
                       [](char c) { return kRandomCharacters.find(c) != std::string_view::npos; });
}

}  // namespace

std::string TemporaryName(const std::string& target)
{
    static thread_local std::mt19937 random{std::random_device{}()};
    std::uniform_int_distribution<std::size_t> pick(0, kRandomCharacters.size() - 1);
    std::string name = FolderOf(target) + "/" + PrefixOf(target);
    for (std::size_t i = 0; i < kRandomLength; ++i)
        name += kRandomCharacters[pick(random)];
    return name;
}

void RemoveStaleTemporaries(const std::string& target, SaveFaults& faults)
{
    const std::string folder = FolderOf(target);
    const std::string prefix = PrefixOf(target);
    const std::unique_ptr<DIR, int (*)(DIR*)> listing(::opendir(folder.c_str()), ::closedir);
    if (!listing)
        return;
    while (const dirent* entry = ::readdir(listing.get())) {
        if (!IsTemporaryOf(entry->d_name, prefix))
            continue;
        const std::string path = folder + "/" + entry->d_name;
        const Descriptor file(::open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC | O_NOCTTY));
        struct stat info {};
        // A save under way holds its file's lock; a killed save's lock went with it.
        if (file.get() < 0 || ::fstat(file.get(), &info) != 0 || !S_ISREG(info.st_mode) ||
            ::flock(file.get(), LOCK_EX | LOCK_NB) != 0)
            continue;
        RunStep(faults, SaveStep::RemoveTemporary, [&] { return ::unlink(path.c_str()); });
    }
}

}  // namespace q9tx
