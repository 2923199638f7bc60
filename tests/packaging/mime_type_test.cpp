// The settings file type as Qt-based file managers see it once it is installed: a file is
// a settings file only when it starts with the magic bytes 28 AC 01, whatever its name,
// and every other file keeps the type it had without ours.

#include <gtest/gtest.h>

#include <string>

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QMimeDatabase>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

namespace {

const std::string kSettingsType = "application/x-q9tx-settings";

// A shared-mime-info database holding the system's types and ours, used by this process.
class MimeTypeTest : public testing::Test {
protected:
    static void SetUpTestSuite()
    {
        if (QStandardPaths::findExecutable(QStringLiteral("update-mime-database")).isEmpty())
            return;
        data_ = new QTemporaryDir;
        const QDir packages(data_->filePath(QStringLiteral("mime/packages")));
        QDir().mkpath(packages.path());
        QFile::copy(QStringLiteral(Q9TX_PACKAGING_DIR "/q9tx-programmer-mime.xml"),
                    packages.filePath(QStringLiteral("q9tx-programmer.xml")));
        QFile::copy(QStringLiteral("/usr/share/mime/packages/freedesktop.org.xml"),
                    packages.filePath(QStringLiteral("freedesktop.org.xml")));
        // Before the first QMimeDatabase, which reads the folders once; update-mime-database
        // warns about a folder that is not among them.
        qputenv("XDG_DATA_DIRS", data_->path().toLocal8Bit());
        qputenv("XDG_DATA_HOME", data_->filePath(QStringLiteral("none")).toLocal8Bit());
        QProcess update;
        update.start(QStringLiteral("update-mime-database"), {data_->filePath(QStringLiteral("mime"))});
        ready_ = update.waitForFinished(60000) && update.exitCode() == 0;
        errors_ = QString::fromLocal8Bit(update.readAllStandardError());
    }

    static void TearDownTestSuite()
    {
        delete data_;
        data_ = nullptr;
    }

    void SetUp() override
    {
        if (!data_)
            GTEST_SKIP() << "update-mime-database (shared-mime-info) is not installed";
        ASSERT_TRUE(ready_ && errors_.isEmpty()) << "update-mime-database refused the file type: "
                                                 << errors_.toStdString();
    }

    // The file holds `start`, padded with zeros to the size of an image unless it is text.
    std::string TypeOf(const QString& name, const QByteArray& start, bool padded = true)
    {
        QFile file(files_.filePath(name));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(start);
        if (padded)
            file.write(QByteArray(512 - start.size(), '\0'));
        file.close();
        return QMimeDatabase().mimeTypeForFile(file.fileName()).name().toStdString();
    }

    static QTemporaryDir* data_;
    static bool ready_;
    static QString errors_;
    QTemporaryDir files_;
};

QTemporaryDir* MimeTypeTest::data_ = nullptr;
bool MimeTypeTest::ready_ = false;
QString MimeTypeTest::errors_;

TEST_F(MimeTypeTest, RecognisesSettingsFilesByContentAndLeavesOtherFilesAlone)
{
    const struct {
        const char* name;
        QByteArray start;
        std::string expected;
        bool padded = true;
    } cases[] = {
        {"settings.bin", QByteArray("\x28\xac\x01\x00", 4), kSettingsType},
        {"Pager 7.BIN", QByteArray("\x28\xac\x01\x07", 4), kSettingsType},
        {"firmware.bin", QByteArray("\x7f" "ELF\x02\x01", 6), "application/x-executable"},
        {"zeros.bin", QByteArray(), "application/octet-stream"},
        {"version2.bin", QByteArray("\x28\xac\x02\x00", 4), "application/octet-stream"},
        {"swapped.bin", QByteArray("\xac\x28\x01\x00", 4), "application/octet-stream"},
        {"settings.png", QByteArray("\x28\xac\x01\x00", 4), "image/png"},
        {"settings", QByteArray("\x28\xac\x01\x00", 4), kSettingsType},
        {"picture.bin", QByteArray("\x89PNG\r\n\x1a\n", 8), "image/png"},
        {"archive.bin", QByteArray("PK\x03\x04", 4), "application/zip"},
        {"notes.bin", QByteArray("Frequency list\n"), "text/plain", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(TypeOf(QString::fromUtf8(c.name), c.start, c.padded), c.expected) << c.name;
}

TEST_F(MimeTypeTest, DescribesTheType)
{
    const QMimeType type = QMimeDatabase().mimeTypeForName(QString::fromStdString(kSettingsType));
    ASSERT_TRUE(type.isValid());
    EXPECT_EQ(type.comment().toStdString(), "Q9TX pager settings");
    // No name pattern: one would take every other ".bin" file too.
    EXPECT_TRUE(type.globPatterns().isEmpty());
    EXPECT_EQ(type.iconName().toStdString(), "q9tx-programmer");
}

}  // namespace
