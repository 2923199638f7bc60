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
#include <map>
#include <set>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "image/image_file.h"
#include "image/path_bytes.h"

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

std::set<std::string> Entries(const fs::path& dir)
{
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(dir))
        names.insert(entry.path().filename().string());
    return names;
}

// Fails one step of a save, or every step from it on as a kill would stop them; steps of
// the kinds in `forced` always fail with their errno, to force one way of saving.
class InjectedFaults : public SaveFaults {
public:
    InjectedFaults(std::map<SaveStep, int> forced, int at, bool stop) : forced_(std::move(forced)), at_(at), stop_(stop)
    {
    }
    int failure(SaveStep step) override
    {
        if (const auto found = forced_.find(step); found != forced_.end())
            return found->second;
        const int index = counted_++;
        return index == at_ || (stop_ && at_ >= 0 && index > at_) ? EIO : 0;
    }
    int counted() const { return counted_; }

private:
    std::map<SaveStep, int> forced_;
    int at_;
    bool stop_;
    int counted_ = 0;
};

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

TEST_F(ImageFileTest, AFailureOrAKillAtAnyStepLeavesTheOldOrTheNewFile)
{
    const struct {
        const char* name;
        bool exists;
        std::map<SaveStep, int> forced;
    } ways[] = {
        {"new file", false, {}},
        {"unnamed temporary", true, {}},
        {"named temporary", true, {{SaveStep::OpenUnnamed, EOPNOTSUPP}}},
        {"in place", true, {{SaveStep::OpenUnnamed, EACCES}, {SaveStep::CreateNamed, EACCES}}},
    };
    const fs::path target = dir_ / "target.bin";
    // As a killed save leaves it.
    const fs::path stale = dir_ / ".target.bin.q9tx-k1ll3d";
    std::vector<std::uint8_t> old = Bytes(Pattern(1));
    old.resize(600, 0xEE);
    const std::vector<std::uint8_t> none;
    const auto prepare = [&](bool exists) {
        fs::remove(target);
        if (exists)
            WriteBytes(target, old);
        WriteBytes(stale, {1, 2, 3});
    };
    for (const auto& way : ways) {
        prepare(way.exists);
        InjectedFaults undisturbed(way.forced, -1, false);
        ASSERT_TRUE(WriteImageFile(target.string(), Pattern(2), undisturbed)) << way.name;
        for (int at = 0; at < undisturbed.counted(); ++at) {
            for (const bool stop : {false, true}) {
                SCOPED_TRACE(std::string(way.name) + ", step " + std::to_string(at) + (stop ? ", killed" : ", failed"));
                prepare(way.exists);
                const std::set<std::string> before = Entries(dir_);
                InjectedFaults faults(way.forced, at, stop);
                const bool saved = WriteImageFile(target.string(), Pattern(2), faults);
                const std::vector<std::uint8_t> after = fs::exists(target) ? ReadBytes(target) : none;
                // What a load reads: the first 512 bytes.
                const std::vector<std::uint8_t> loaded(after.begin(), after.begin() + std::min<std::size_t>(after.size(), 512));
                if (saved) {
                    EXPECT_EQ(after, Bytes(Pattern(2)));
                } else {
                    EXPECT_TRUE(loaded == Bytes(Pattern(2)) || after == (way.exists ? old : none));
                }
                if (!stop) {
                    std::set<std::string> allowed = before;
                    allowed.insert("target.bin");
                    for (const std::string& name : Entries(dir_))
                        EXPECT_TRUE(allowed.count(name)) << name << " left behind";
                }
                // The next save leaves the target and nothing else.
                ASSERT_TRUE(WriteImageFile(target.string(), Pattern(3)));
                EXPECT_EQ(Entries(dir_), std::set<std::string>{"target.bin"});
                EXPECT_EQ(ReadBytes(target), Bytes(Pattern(3)));
            }
        }
    }
}

TEST_F(ImageFileTest, SaveReplacesOnlyWhatTheUserMayReplace)
{
    const passwd* nobody = ::getpwnam("nobody");
    const uid_t stranger = nobody ? nobody->pw_uid : ::geteuid() + 1;
    const fs::path file = dir_ / "file.bin";
    const fs::path link = dir_ / "link.bin";
    const fs::path shared = dir_ / "shared";
    const fs::path sharedLink = shared / "link.bin";
    const auto inShared = [&](uid_t folderOwner, fs::perms perms) {
        fs::create_directory(shared);
        fs::permissions(shared, perms);
        fs::create_symlink(file, sharedLink);
        ASSERT_EQ(::lchown(sharedLink.c_str(), stranger, static_cast<gid_t>(-1)), 0);
        ASSERT_EQ(::chown(shared.c_str(), folderOwner, static_cast<gid_t>(-1)), 0);
    };
    const struct {
        const char* name;
        std::function<void()> make;
        fs::path saveTo;
        bool saved;
        bool asRoot = false;  // the row gives a link away
    } cases[] = {
        {"own link", [&] { fs::create_symlink(file, link); }, link, true},
        {"relative links in a row",
         [&] {
             fs::create_symlink("file.bin", dir_ / "middle.bin");
             fs::create_symlink("middle.bin", link);
         },
         link, true},
        {"dangling link", [&] { fs::create_symlink(dir_ / "nowhere.bin", link); }, link, false},
        {"link made by the folder's owner", [&] { inShared(stranger, fs::perms::owner_all); }, sharedLink, true, true},
        {"link planted by a stranger", [&] { inShared(::geteuid(), fs::perms::all); }, sharedLink, false, true},
        {"read-only file", [&] { fs::permissions(file, fs::perms::owner_read | fs::perms::others_read); }, file, false},
        {"read-only file behind a link",
         [&] {
             fs::permissions(file, fs::perms::owner_read);
             fs::create_symlink(file, link);
         },
         link, false},
        {"a folder", [&] { fs::create_directory(link); }, link, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        if (c.asRoot && ::geteuid() != 0)
            continue;
        std::error_code ignored;
        fs::remove_all(shared, ignored);
        fs::remove_all(link, ignored);
        fs::remove(dir_ / "middle.bin", ignored);
        WriteBytes(file, Bytes(Pattern(1)));
        fs::permissions(file, fs::perms::owner_read | fs::perms::owner_write);
        c.make();
        const bool wasLink = fs::is_symlink(c.saveTo);
        EXPECT_EQ(WriteImageFile(c.saveTo.string(), Pattern(2)), c.saved);
        EXPECT_EQ(fs::is_symlink(c.saveTo), wasLink);
        EXPECT_EQ(ReadBytes(file), Bytes(c.saved ? Pattern(2) : Pattern(1)));
        EXPECT_FALSE(fs::exists(dir_ / "nowhere.bin"));
    }
}

TEST(PathBytes, EveryNameComesBackAsTheSameBytes)
{
    const struct {
        const char* name;
        std::string bytes;
        bool utf8;
    } cases[] = {
        {"ASCII", "/tmp/Settings.bin", true},
        {"two-byte characters", "/tmp/\xc3\xa9t\xc3\xa9.bin", true},
        {"a character whose low half looks like a byte", "\xf0\x90\x82\x80.bin", true},
        {"bytes that are no UTF-8", "/tmp/\xff\xfe.bin", false},
        {"a sequence cut short", "a\xe2\x82.bin", false},
        {"an overlong slash", "a\xc0\xaf.bin", false},
        {"an encoded surrogate", "a\xed\xa0\x80.bin", false},
        {"beyond U+10FFFF", "a\xf4\x90\x80\x80.bin", false},
        {"Latin-1", "caf\xe9.bin", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const QString path = PathFromBytes(QByteArray::fromStdString(c.bytes));
        EXPECT_EQ(PathBytes(path), c.bytes);
        if (c.utf8) {
            EXPECT_EQ(path, QString::fromStdString(c.bytes));
        }
        const std::string absolute = c.bytes.front() == '/' ? c.bytes : "/" + c.bytes;
        const QByteArray url = "file://" + QByteArray::fromStdString(absolute).toPercentEncoding("/");
        EXPECT_EQ(PathBytes(PathFromFileUrl(QUrl::fromEncoded(url))), absolute);
    }
}

TEST_F(ImageFileTest, ANameTheToolkitCouldNotShowIsFound)
{
    const std::string folder = dir_.string() + "/\xff";
    ASSERT_EQ(::mkdir(folder.c_str(), 0700), 0);
    for (const char* name : {"/\xfe\xfd.bin", "/\xe9.bin", "/\xe8.bin", "/a.bin"})
        WriteBytes(folder + name, Bytes(Pattern(1)));
    const auto shown = [](const std::string& bytes) { return QString::fromUtf8(bytes.data(), static_cast<qsizetype>(bytes.size())); };
    const struct {
        const char* name;
        QString shown;
        std::string found;
    } cases[] = {
        {"one fits", shown(folder + "/\xfe\xfd.bin"), folder + "/\xfe\xfd.bin"},
        {"in a folder that exists", shown(folder + "/a.bin"), folder + "/a.bin"},
        {"two fit", shown(folder + "/\xe9.bin"), shown(folder + "/\xe9.bin").toStdString()},
        {"none fits", shown(folder + "/\xfd.bin"), shown(folder + "/\xfd.bin").toStdString()},
        {"shown as it is", QString::fromStdString(dir_.string() + "/new.bin"), dir_.string() + "/new.bin"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(PathBytes(ListedPath(c.shown)), c.found);
    }
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

    if (::geteuid() != 0)
        return;
    // A file the user may write but not give its owner and group is written in place, and
    // stays its owner's.
    const fs::path open = dir_ / "open";
    fs::create_directory(open);
    fs::permissions(open, fs::perms::all);
    const fs::path others = open / "others.bin";
    WriteBytes(others, Bytes(Pattern(4)));
    ASSERT_EQ(::chmod(others.c_str(), 0666), 0);
    EXPECT_TRUE(AsUserWithoutFolderRights([&] { return WriteImageFile(others.string(), Pattern(7)); }, uid, gid));
    EXPECT_EQ(ReadBytes(others), Bytes(Pattern(7)));
    struct stat info {};
    ASSERT_EQ(::stat(others.c_str(), &info), 0);
    EXPECT_EQ(info.st_uid, 0u);
    EXPECT_EQ(info.st_gid, 0u);
    EXPECT_EQ(Entries(open), std::set<std::string>{"others.bin"});
}

}  // namespace
