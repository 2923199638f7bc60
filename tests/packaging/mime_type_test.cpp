// The settings file type as Qt-based file managers see it once it is installed: a
// ".bin" file is a settings file only when it starts with the magic bytes 28 AC 01,
// never by its name alone, and the magic does not take over other file names.

#include <gtest/gtest.h>

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QMimeDatabase>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

namespace {

const QString kSettingsType = QStringLiteral("application/x-q9tx-settings");

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
        QProcess update;
        update.start(QStringLiteral("update-mime-database"), {data_->filePath(QStringLiteral("mime"))});
        ready_ = update.waitForFinished(60000) && update.exitCode() == 0 &&
                 update.readAllStandardError().isEmpty();
        // Before the first QMimeDatabase: Qt reads the folders once.
        qputenv("XDG_DATA_DIRS", data_->path().toLocal8Bit());
        qputenv("XDG_DATA_HOME", data_->filePath(QStringLiteral("none")).toLocal8Bit());
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
        ASSERT_TRUE(ready_) << "update-mime-database refused the file type";
    }

    QString TypeOf(const QString& name, const QByteArray& start)
    {
        QFile file(files_.filePath(name));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(start);
        file.write(QByteArray(512 - start.size(), '\0'));
        file.close();
        return QMimeDatabase().mimeTypeForFile(file.fileName()).name();
    }

    static QTemporaryDir* data_;
    static bool ready_;
    QTemporaryDir files_;
};

QTemporaryDir* MimeTypeTest::data_ = nullptr;
bool MimeTypeTest::ready_ = false;

TEST_F(MimeTypeTest, RecognisesSettingsFilesByNameAndContent)
{
    const struct {
        const char* name;
        QByteArray start;
        QString expected;
    } cases[] = {
        {"settings.bin", QByteArray("\x28\xac\x01\x00", 4), kSettingsType},
        {"Pager 7.BIN", QByteArray("\x28\xac\x01\x07", 4), kSettingsType},
        {"firmware.bin", QByteArray("\x7f" "ELF\x02\x01", 6), QStringLiteral("application/octet-stream")},
        {"zeros.bin", QByteArray(), QStringLiteral("application/octet-stream")},
        {"version2.bin", QByteArray("\x28\xac\x02\x00", 4), QStringLiteral("application/octet-stream")},
        {"swapped.bin", QByteArray("\xac\x28\x01\x00", 4), QStringLiteral("application/octet-stream")},
        {"settings.png", QByteArray("\x28\xac\x01\x00", 4), QStringLiteral("image/png")},
    };
    for (const auto& c : cases)
        EXPECT_EQ(TypeOf(QString::fromUtf8(c.name), c.start), c.expected) << c.name;
}

TEST_F(MimeTypeTest, DescribesTheType)
{
    const QMimeType type = QMimeDatabase().mimeTypeForName(kSettingsType);
    ASSERT_TRUE(type.isValid());
    EXPECT_EQ(type.comment(), QStringLiteral("Q9TX pager settings"));
    EXPECT_EQ(type.preferredSuffix(), QStringLiteral("bin"));
    EXPECT_EQ(type.iconName(), QStringLiteral("q9tx-programmer"));
}

}  // namespace
