// Settings files without the window: sizes, things that are not regular files, and
// replacing a file whole or not at all.

#include "image/settings_file_io.h"
#include "image/status_error.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <fstream>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace q9tx {
namespace {

namespace fs = std::filesystem;

class SettingsFileIo : public ::testing::Test {
protected:
    void SetUp() override
    {
        char pattern[] = "/tmp/q9tx-file-io-XXXXXX";
        ASSERT_NE(::mkdtemp(pattern), nullptr);
        dir_ = pattern;
    }
    void TearDown() override
    {
        ::chmod(dir_.c_str(), 0700);
        fs::remove_all(dir_);
    }
    std::string path(const char* name) const { return (dir_ / name).string(); }
    void writeBytes(const std::string& file, std::size_t size, char fill) const
    {
        std::ofstream(file, std::ios::binary) << std::string(size, fill);
    }
    static int statusOf(const std::function<void()>& operation)
    {
        try {
            operation();
        } catch (const StatusError& error) {
            return error.number();
        }
        return 0;
    }
    fs::path dir_;
};

TEST_F(SettingsFileIo, ReadRefusesWhatHoldsNoImage)
{
    writeBytes(path("short.bin"), 511, 'x');
    writeBytes(path("long.bin"), 600, 'y');
    ASSERT_EQ(::mkfifo(path("pipe.bin").c_str(), 0600), 0);
    fs::create_directory(path("folder.bin"));
    const struct {
        const char* name;
        int status;
    } cases[] = {{"short.bin", 1301}, {"long.bin", 0}, {"missing.bin", 1300}, {"pipe.bin", 1300}, {"folder.bin", 1300}};
    for (const auto& test : cases) {
        EXPECT_EQ(statusOf([&] { ReadSettingsFile(path(test.name)); }), test.status) << test.name;
    }
    EXPECT_EQ(ReadSettingsFile(path("long.bin"))[511], 'y');
}

TEST_F(SettingsFileIo, WriteReplacesWholeOrNotAtAll)
{
    ConfigImage image{};
    image.fill(0x5A);
    writeBytes(path("old.bin"), 3, 'o');
    ::chmod(path("old.bin").c_str(), 0640);
    WriteSettingsFile(path("old.bin"), image);
    EXPECT_EQ(ReadSettingsFile(path("old.bin")), image);
    EXPECT_EQ(fs::file_size(path("old.bin")), 512u);
    EXPECT_EQ(fs::status(path("old.bin")).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);

    ASSERT_EQ(::mkfifo(path("pipe.bin").c_str(), 0600), 0);
    EXPECT_EQ(statusOf([&] { WriteSettingsFile(path("pipe.bin"), image); }), 1302);
    EXPECT_TRUE(fs::is_fifo(path("pipe.bin")));
    EXPECT_EQ(statusOf([&] { WriteSettingsFile(path("no/such/dir.bin"), image); }), 1302);

    if (::geteuid() != 0) {  // root writes anywhere
        // A folder that takes no new file: the writable file itself is written in place.
        ::chmod(dir_.c_str(), 0500);
        EXPECT_EQ(statusOf([&] { WriteSettingsFile(path("old.bin"), ConfigImage{}); }), 0);
        EXPECT_EQ(ReadSettingsFile(path("old.bin")), ConfigImage{});
    }
    ::chmod(dir_.c_str(), 0700);
    std::size_t entries = 0;
    for ([[maybe_unused]] const auto& entry : fs::directory_iterator(dir_)) {
        ++entries;
    }
    EXPECT_EQ(entries, 2u) << "no temporary file is left behind";
}

}  // namespace
}  // namespace q9tx
