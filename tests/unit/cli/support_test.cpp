// Backup names that never replace one another, what an image says for the journal, and
// the progress display on a terminal and in a log.

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <iterator>

#include <sys/stat.h>
#include <unistd.h>

#include <QFileInfo>
#include <QTemporaryDir>

#include "cli/backup_file.h"
#include "cli/backup_names.h"
#include "cli/image_facts.h"
#include "cli/progress_display.h"
#include "factory_image.h"
#include "image/capcode.h"
#include "image/image_validation.h"

namespace q9tx::cli {
namespace {

const QDateTime kTime = QDateTime(QDate(2026, 12, 8), QTime(10, 45, 34), Qt::UTC);

TEST(BackupNames, KeepOnlyHarmlessCharactersOfTheSerialNumber)
{
    const struct {
        const char* serial;
        const char* name;
    } cases[] = {
        {"00012345", "00012345-20261208T104534Z.bin"},
        {"", "unknown-20261208T104534Z.bin"},
        {"../../etc", "______etc-20261208T104534Z.bin"},
        {"A b/\\c", "A_b__c-20261208T104534Z.bin"},
        {"\xE9x", "_x-20261208T104534Z.bin"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(BackupFileName(c.serial, kTime).toStdString(), c.name) << c.serial;
    // Local times are named in UTC.
    EXPECT_EQ(BackupFileName("1", kTime.toOffsetFromUtc(3600)), QStringLiteral("1-20261208T104534Z.bin"));
}

TEST(BackupNames, TakenNameGetsANumber)
{
    QTemporaryDir dir;
    const QString first = FreeBackupPath(dir.path(), "7", kTime);
    EXPECT_EQ(first, dir.filePath("7-20261208T104534Z.bin"));
    std::ofstream(first.toStdString()) << "x";
    const QString second = FreeBackupPath(dir.path(), "7", kTime);
    EXPECT_EQ(second, dir.filePath("7-20261208T104534Z-2.bin"));
    std::ofstream(second.toStdString()) << "x";
    // A dangling link takes its name too: writing through it would land elsewhere.
    const std::string elsewhere = dir.filePath("elsewhere.bin").toStdString();
    ASSERT_EQ(::symlink(elsewhere.c_str(), dir.filePath("7-20261208T104534Z-3.bin").toStdString().c_str()), 0);
    EXPECT_EQ(FreeBackupPath(dir.path(), "7", kTime), dir.filePath("7-20261208T104534Z-4.bin"));
    EXPECT_EQ(FreeBackupPath(dir.path(), "7", kTime, QStringLiteral("-corrupted")),
              dir.filePath("7-20261208T104534Z-corrupted.bin"));

    // A backup goes to a new file, whole, and replaces nothing.
    const ConfigImage image{1, 2, 3};
    const KeptBackup kept = WriteBackup(dir.path().toStdString(), "7", kTime, image);
    EXPECT_EQ(kept.path, dir.filePath("7-20261208T104534Z-4.bin").toStdString());
    std::ifstream written(kept.path, std::ios::binary);
    std::string bytes((std::istreambuf_iterator<char>(written)), std::istreambuf_iterator<char>());
    EXPECT_EQ(bytes, std::string(reinterpret_cast<const char*>(image.data()), image.size()));
    EXPECT_FALSE(QFileInfo::exists(QString::fromStdString(elsewhere)));
    EXPECT_NE(WriteBackup(dir.filePath("missing").toStdString(), "7", kTime, image).failure, "");
    // A folder whose name is not UTF-8 is the folder named, byte for byte.
    const std::string odd = dir.path().toStdString() + "/b\xff";
    ASSERT_EQ(::mkdir(odd.c_str(), 0700), 0);
    EXPECT_EQ(WriteBackup(odd, "7", kTime, image).path, odd + "/7-20261208T104534Z.bin");
}

ConfigImage PagerImage()
{
    const sim::ImageBytes bytes = sim::FactoryImage();
    ConfigImage image{};
    std::copy(bytes.begin(), bytes.end(), image.begin());
    return image;
}

TEST(ImageFacts, SerialCapcodesAndFrequencyOfWhatWasRead)
{
    ConfigImage image = PagerImage();
    const ImageFacts facts = FactsOf(image);
    EXPECT_EQ(facts.serialNumber, "00012345");
    EXPECT_EQ(facts.frequency, std::optional<std::uint32_t>(457600000));

    // Only the slots in use, in slot order.
    WriteLe32(image, AddressWordOffset(2), CapcodeToAddressWord(2004008, false, 2));
    WriteLe32(image, AddressWordOffset(7), CapcodeToAddressWord(2097151, true, 7));
    std::vector<std::uint32_t> expected;
    for (int slot = 1; slot <= kSlotCount; ++slot) {
        const StoredAddress address = AddressWordToCapcode(ReadLe32(image, AddressWordOffset(slot)));
        if (address.enabled)
            expected.push_back(address.capcode);
    }
    const ImageFacts changed = FactsOf(image);
    EXPECT_EQ(changed.capcodes, expected);
    EXPECT_EQ(std::count(changed.capcodes.begin(), changed.capcodes.end(), 2097151u), 1);
    EXPECT_EQ(std::count(changed.capcodes.begin(), changed.capcodes.end(), 2004008u), 0);

    // An image made without a pager carries no serial number of a pager; an RF word that
    // stands for no frequency gives none.
    WriteLe16(image, kOriginWordOffset, 0);
    image[kRfWordRegion.offset] = 0x3F;
    const ImageFacts own = FactsOf(image);
    EXPECT_EQ(own.serialNumber, "");
    EXPECT_FALSE(own.frequency.has_value());
}

std::string Shown(bool terminal, void (*run)(ProgressDisplay&))
{
    std::FILE* out = std::tmpfile();
    ProgressDisplay display(out, terminal);
    run(display);
    std::rewind(out);
    std::string text;
    for (int ch = std::fgetc(out); ch != EOF; ch = std::fgetc(out))
        text += char(ch);
    std::fclose(out);
    return text;
}

void ReadAndFinish(ProgressDisplay& display)
{
    display.Action("Reading...");
    for (int i = 0; i < 16; ++i)
        display.Advance(6);
    display.Action("Reading...");
    display.Message("Read completed.");
}

TEST(ProgressDisplay, LogGetsPlainLinesTerminalABar)
{
    EXPECT_EQ(Shown(false, ReadAndFinish), "q9tx: Reading...\nq9tx: Read completed.\n");
    const std::string bar = Shown(true, ReadAndFinish);
    EXPECT_NE(bar.find("]  96%"), std::string::npos) << bar;
    EXPECT_EQ(bar.find('\n'), bar.size() - 1) << bar;  // one line only, redrawn in place
    EXPECT_NE(bar.find("\r\033[Kq9tx: Read completed.\n"), std::string::npos) << bar;
}

}  // namespace
}  // namespace q9tx::cli
