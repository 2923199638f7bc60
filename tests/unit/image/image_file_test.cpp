// Settings files on disk: only regular files are read, saves replace the file whole and
// keep its permissions, and a folder the user may not add to still takes a save into a
// file the user may write.

#include <fcntl.h>
#include <pwd.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "image/image_file.h"

namespace fs = std::filesystem;
using namespace q9tx;

namespace {

ConfigImage Pattern(std::uint8_t seed)
{
    ConfigImage image{};
    for (std::size_t i = 0; i < image.size(); ++i)
        image[i] = static_cast<std::uint8_t>(seed + i);
    return image;
}

std::vector<std::uint8_t> Bytes(const ConfigImage& image) { return {image.begin(), image.end()}; }

void WriteBytes(const fs::path& path, const std::vector<std::uint8_t>& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

std::vector<std::uint8_t> ReadBytes(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

mode_t ModeOf(const fs::path& path)
{
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 ? info.st_mode & 07777 : 0;
}

class ImageFileTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        char name[] = "/tmp/image_file_test.XXXXXX";
        ASSERT_NE(::mkdtemp(name), nullptr);
        dir_ = name;
        // Reachable by the unprivileged user of the read-only folder tests.
        fs::permissions(dir_, fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec |
                                  fs::perms::others_read | fs::perms::others_exec);
    }
    void TearDown() override
    {
        std::error_code ignored;
        for (const auto& entry : fs::recursive_directory_iterator(dir_, ignored))
            fs::permissions(entry.path(), fs::perms::owner_all, fs::perm_options::add, ignored);
        fs::remove_all(dir_, ignored);
    }

    fs::path dir_;
};

struct ReadCase {
    const char* name;
    std::function<void(const fs::path&)> make;
    ImageFileRead expected;
};

TEST_F(ImageFileTest, OnlyRegularFilesAreRead)
{
    const ConfigImage image = Pattern(3);
    std::vector<std::uint8_t> longer = Bytes(image);
    longer.resize(600, 0xEE);
    const std::vector<ReadCase> cases = {
        {"exactly 512 bytes", [&](const fs::path& p) { WriteBytes(p, Bytes(image)); }, ImageFileRead::Read},
        {"600 bytes", [&](const fs::path& p) { WriteBytes(p, longer); }, ImageFileRead::Read},
        {"511 bytes", [&](const fs::path& p) { WriteBytes(p, {image.begin(), image.end() - 1}); }, ImageFileRead::Short},
        {"empty", [&](const fs::path& p) { WriteBytes(p, {}); }, ImageFileRead::Short},
        {"missing", [](const fs::path&) {}, ImageFileRead::NotReadable},
        {"a folder", [](const fs::path& p) { fs::create_directory(p); }, ImageFileRead::NotReadable},
        // Opening a FIFO for reading would wait for a writer.
        {"a FIFO", [](const fs::path& p) { ASSERT_EQ(::mkfifo(p.c_str(), 0600), 0); }, ImageFileRead::NotReadable},
        {"a device", [](const fs::path& p) { fs::create_symlink("/dev/zero", p); }, ImageFileRead::NotReadable},
    };
    int number = 0;
    for (const ReadCase& c : cases) {
        SCOPED_TRACE(c.name);
        const fs::path path = dir_ / ("case" + std::to_string(number++) + ".bin");
        c.make(path);
        ConfigImage read{};
        EXPECT_EQ(ReadImageFile(path.string(), read), c.expected);
        if (c.expected == ImageFileRead::Read) {
            EXPECT_EQ(Bytes(read), Bytes(image));
        }
    }
}

TEST_F(ImageFileTest, SaveReplacesTheFileAndKeepsItsPermissions)
{
    const struct {
        const char* name;
        mode_t mode;  // 0: no file before
    } cases[] = {{"new file", 0}, {"private file", 0600}, {"group-readable file", 0640}, {"shared file", 0664}};
    const mode_t mask = ::umask(0);
    ::umask(mask);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const fs::path path = dir_ / (std::string(c.name) + ".bin");
        if (c.mode != 0) {
            WriteBytes(path, std::vector<std::uint8_t>(700, 0x11));
            ASSERT_EQ(::chmod(path.c_str(), c.mode), 0);
        }
        ASSERT_TRUE(WriteImageFile(path.string(), Pattern(9)));
        EXPECT_EQ(ReadBytes(path), Bytes(Pattern(9)));
        EXPECT_EQ(ModeOf(path), c.mode != 0 ? c.mode : 0666 & ~mask);
    }
    // Nothing is left beside the files.
    EXPECT_EQ(std::distance(fs::directory_iterator(dir_), fs::directory_iterator()), 4);
}

TEST_F(ImageFileTest, SaveFollowsALinkAndRefusesWhatIsNoFile)
{
    const fs::path file = dir_ / "real.bin";
    const fs::path link = dir_ / "link.bin";
    WriteBytes(file, Bytes(Pattern(1)));
    fs::create_symlink(file, link);
    ASSERT_TRUE(WriteImageFile(link.string(), Pattern(2)));
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(ReadBytes(file), Bytes(Pattern(2)));

    const fs::path fifo = dir_ / "fifo.bin";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    EXPECT_FALSE(WriteImageFile(fifo.string(), Pattern(3)));
    EXPECT_TRUE(fs::is_fifo(fifo));
    EXPECT_FALSE(WriteImageFile((dir_ / "no such folder" / "x.bin").string(), Pattern(3)));
}

// Runs `check` as a user who may not write to a folder owned by root, or, for a user
// who is not root, in a folder that user has made read-only. True when `check` passed.
bool AsUserWithoutFolderRights(const std::function<bool()>& check, uid_t uid, gid_t gid)
{
    if (::geteuid() != 0)
        return check();
    const pid_t child = ::fork();
    if (child == 0) {
        const bool dropped = ::setgid(gid) == 0 && ::setuid(uid) == 0;
        ::_exit(dropped && check() ? 0 : 1);
    }
    int status = 0;
    return child > 0 && ::waitpid(child, &status, 0) == child && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

TEST_F(ImageFileTest, ReadOnlyFolderTakesASaveIntoAWritableFile)
{
    uid_t uid = ::geteuid();
    gid_t gid = ::getegid();
    if (uid == 0) {
        // Root may write anywhere: the saves run in a child as "nobody".
        const passwd* nobody = ::getpwnam("nobody");
        if (!nobody)
            GTEST_SKIP() << "running as root and there is no user \"nobody\" to drop privileges to";
        uid = nobody->pw_uid;
        gid = nobody->pw_gid;
    }
    const fs::path folder = dir_ / "locked";
    fs::create_directory(folder);
    const fs::path writable = folder / "writable.bin";
    const fs::path readOnly = folder / "read-only.bin";
    WriteBytes(writable, std::vector<std::uint8_t>(700, 0x11));
    WriteBytes(readOnly, Bytes(Pattern(4)));
    ASSERT_EQ(::chown(writable.c_str(), uid, gid), 0);
    ASSERT_EQ(::chmod(writable.c_str(), 0640), 0);
    ASSERT_EQ(::chmod(readOnly.c_str(), 0444), 0);
    ASSERT_EQ(::chmod(folder.c_str(), 0555), 0);

    const bool inPlace = AsUserWithoutFolderRights([&] { return WriteImageFile(writable.string(), Pattern(5)); }, uid, gid);
    EXPECT_TRUE(inPlace);
    EXPECT_EQ(ReadBytes(writable), Bytes(Pattern(5)));  // no bytes of the longer old file remain
    EXPECT_EQ(ModeOf(writable), mode_t(0640));

    // Where the folder takes no new file and the file itself is not writable, nothing is written.
    const bool refused = AsUserWithoutFolderRights(
        [&] {
            return !WriteImageFile(readOnly.string(), Pattern(6)) &&
                   !WriteImageFile((folder / "new.bin").string(), Pattern(6));
        },
        uid, gid);
    EXPECT_TRUE(refused);
    EXPECT_EQ(ReadBytes(readOnly), Bytes(Pattern(4)));
    EXPECT_FALSE(fs::exists(folder / "new.bin"));
}

}  // namespace
