// Settings files: saving, loading, dropping, the dialogs, and what a failed load or save
// leaves behind.

#include <csignal>
#include <fcntl.h>
#include <filesystem>
#include <memory>
#include <sys/resource.h>
#include <unistd.h>

#include <QApplication>
#include <QDir>
#include <QDropEvent>
#include <QFile>
#include <QLabel>
#include <QMimeData>
#include <QProgressBar>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>

#include "app/file_argument.h"
#include "conversion_support.h"
#include "editor/addresses_page.h"
#include "editor/general_page.h"
#include "editor/settings_editor.h"
#include "editor/status_texts.h"
#include "find_control.h"
#include "image/path_bytes.h"
#include "image/status_error.h"

namespace {

namespace fs = std::filesystem;

// An editor that differs from the start-up one wherever a file can show it.
const Settings kBusyEditor = {
    {"storage1", "1"}, {"addrEn3", "0"}, {"address1", "1234567"}, {"address8", "0000016"}, {"format1A", "3"},
    {"format2B", "0"}, {"format8D", "2"}, {"format5C", "2"}, {"urgent2A", "1"}, {"urgent2D", "1"}, {"urgent5B", "1"},
    {"urgent8C", "1"}, {"start1", "06:15"}, {"finish1", "22:45"}, {"nightShift1", "1"}, {"period2", "1"},
    {"period3", "0"}, {"start7", "00:00"}, {"finish7", "23:59"}, {"messageHoldTime", "1"}, {"messageEncoding", "3"},
    {"repeatedFilter", "2"}, {"repeatedRejectionTime", "4"}, {"unreadReminder", "5"}, {"numReminders", "7"},
    {"messageOps", "0"}, {"keepUnreadWhenDeletingAll", "1"}, {"cannedMessages", "1"}, {"canned1", "Call the office"},
    {"canned4", "x"}, {"ignorePublicMessages", "1"}, {"hideMessageNumber", "1"}, {"continuousMode", "1"},
    {"folderEn1", "1"}, {"folderEn2", "1"}, {"folderEn3", "1"}, {"folderSize1", "12"}, {"folderSize2", "3"},
    {"folderSize3", "40"}, {"folderName1", "Inbox"}, {"folderName2", "ABCDEFGHI"}, {"folderName16", "Last"},
    {"banner", "Hello pager"}, {"displayHoldTime", "200"}, {"lcdBaseContrast", "42"}, {"rangeHoldTime", "0"},
    {"menuLanguage", "11"}, {"dateFormat", "1"}, {"timeFormat", "1"}, {"handProg", "1"}, {"passcode", "1234"},
    {"alertDuration", "3"}, {"muteOption", "1"}, {"escalatingAlerts", "1"}, {"flashingAlerts", "1"},
    {"lowBattAlertDelay", "1"}, {"nightMode", "1"}, {"toneA", "1234"}, {"toneWarning", "ABCD"}, {"baudrate", "2"},
    {"polarity", "1"}, {"frequency", "152.0125"}, {"schedule", "0"}, {"powerOff", "0"}, {"filterStrength", "4"},
    {"preambleError", "6"}, {"bs2Option", "1"},
};

const QString kStartupBanner = QStringLiteral("---- Zerin Q9TX ----");

QByteArray ReadAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

void WriteAll(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
}

// The image of a start-up editor whose banner names it.
QByteArray ImageWithBanner(const QString& banner)
{
    TestWindow window;
    Control<QLineEdit>(*window, QStringLiteral("banner"))->setText(banner);
    return BytesOf(window->EncodeImage(std::nullopt));
}

void DropUrls(TForm1& window, const QList<QUrl>& urls)
{
    QMimeData data;
    data.setUrls(urls);
    // As a real drag does: the drop goes to the widget that accepted the drag's entry.
    QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&window, &enter);
    QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&window, &drop);
}

void Drop(TForm1& window, const QStringList& paths)
{
    QList<QUrl> urls;
    for (const QString& path : paths)
        urls << QUrl::fromLocalFile(path);
    DropUrls(window, urls);
}

// A file whose name need not be UTF-8.
QByteArray ReadBytes(const std::string& path)
{
    QFile file;
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0 || !file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle))
        return "<unreadable>";
    return file.readAll();
}

void WriteBytes(const std::string& path, const QByteArray& bytes)
{
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    QVERIFY(fd >= 0);
    QCOMPARE(::write(fd, bytes.constData(), static_cast<std::size_t>(bytes.size())), static_cast<ssize_t>(bytes.size()));
    ::close(fd);
}

// Writes beyond `bytes` fail as on a full disk while it lives.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        getrlimit(RLIMIT_FSIZE, &previous_);
        previousHandler_ = std::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{bytes, previous_.rlim_max};
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit()
    {
        setrlimit(RLIMIT_FSIZE, &previous_);
        std::signal(SIGXFSZ, previousHandler_);
    }

private:
    rlimit previous_{};
    void (*previousHandler_)(int) = nullptr;
};

void ExpectIdle(TForm1& window)
{
    QVERIFY(!window.operationRunning());
    QVERIFY(window.progress->isHidden());
    QVERIFY(Control<QWidget>(window, QStringLiteral("settings"))->isEnabled());
}

TForm1::FileDialog Answering(const QString& path, QStringList* proposed = nullptr)
{
    return [=](const QString& name) {
        if (proposed)
            *proposed << name;
        return path.isEmpty() ? std::nullopt : std::optional<QString>(path);
    };
}

}  // namespace

class SettingsFilesTest : public QObject {
    Q_OBJECT

    QString pathOf(const QString& name) const { return folder_->filePath(name); }
    QStringList entries() const { return QDir(folder_->path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries); }

private slots:
    // A folder of its own for each test and each row.
    void init()
    {
        folder_ = std::make_unique<QTemporaryDir>();
        QVERIFY(folder_->isValid());
    }

    void savedFileLoadsIntoAFreshWindow()
    {
        TestWindow saver;
        Apply(*saver, kBusyEditor);
        saver->editor().addressesPage().StorageExit();
        saver->editor().generalPage().FrequencyExit();
        Control<QCheckBox>(*saver, QStringLiteral("escalatingAlerts"))->show();  // as for a pager that knows the option
        const QString path = pathOf(QStringLiteral("busy.bin"));
        saver->SaveDialog1 = Answering(path);
        saver->Save1Click();
        QCOMPARE(saver->statusText(), QStringLiteral("Saved data to %1.").arg(path));
        QCOMPARE(ReadAll(path), BytesOf(saver->EncodeImage(std::nullopt)));
        QCOMPARE(saver->action->text(), QStringLiteral("Saving..."));
        QCOMPARE(saver->progressBar->value(), 100);
        ExpectIdle(*saver);

        TestWindow loader;
        // The comparison means something only for an editor far from the start-up one.
        QCOMPARE(CarriedDifferences(*loader, *saver).size(), 65);
        loader->OpenDialog1 = Answering(path);
        loader->Open1Click();
        QCOMPARE(loader->statusText(), QStringLiteral("Loaded data from %1.").arg(path));
        QCOMPARE(CarriedDifferences(*saver, *loader), QStringList());
        QCOMPARE(loader->action->text(), QStringLiteral("Loading..."));
        QCOMPARE(loader->progressBar->value(), 100);
        ExpectIdle(*loader);
        QVERIFY(saver.errors.isEmpty() && loader.errors.isEmpty());
    }

    void loading_data()
    {
        QTest::addColumn<QByteArray>("content");  // null: no file at all
        QTest::addColumn<bool>("pagerOfMapOne");
        QTest::addColumn<QString>("status");      // empty: loads
        const QByteArray image = ImageWithBanner(QStringLiteral("Loaded file"));
        const auto changed = [&image](std::initializer_list<std::pair<int, char>> bytes) {
            QByteArray copy = image;
            for (const auto& [offset, value] : bytes)
                copy[offset] = value;
            return copy;
        };
        const QString mismatch = QStringLiteral("The content doesn't match the pager firmware.");
        QTest::newRow("512 bytes") << image << false << "";
        QTest::newRow("600 bytes") << image + QByteArray(88, 'x') << false << "";
        QTest::newRow("511 bytes") << image.left(511) << false << "File corrupted.";
        QTest::newRow("empty") << QByteArray("", 0) << false << "File corrupted.";
        QTest::newRow("missing") << QByteArray() << false << "File could not be read.";
        QTest::newRow("wrong magic") << changed({{1, 0}}) << false << "Pager unsupported.";
        QTest::newRow("one byte changed") << changed({{200, 1}}) << false << "The content is corrupted.";
        QTest::newRow("map 1 without that pager") << changed({{3, 1}}) << false << mismatch;
        QTest::newRow("map 0 with a pager of map 1") << image << true << mismatch;
        QTest::newRow("map 1 with that pager") << changed({{3, 1}}) << true << "";
        QTest::newRow("map 1 from a pager") << changed({{3, 1}, {4, 1}}) << false << "";
    }
    void loading()
    {
        QFETCH(QByteArray, content);
        QFETCH(bool, pagerOfMapOne);
        QFETCH(QString, status);
        const QString path = pathOf(QStringLiteral("settings.bin"));
        if (!content.isNull())
            WriteAll(path, content);
        TestWindow window;
        TestWindow untouched;
        if (pagerOfMapOne) {
            Control<QComboBox>(*window, QStringLiteral("mapVersion"))->addItem(QStringLiteral("1"));
            Control<QComboBox>(*window, QStringLiteral("mapVersion"))->setCurrentIndex(1);
        }
        window->LoadSettingsFile(path);
        if (status.isEmpty()) {
            QCOMPARE(window->statusText(), QStringLiteral("Loaded data from %1.").arg(path));
            QCOMPARE(Control<QLineEdit>(*window, QStringLiteral("banner"))->text(), QStringLiteral("Loaded file"));
        } else {
            QCOMPARE(window->statusText(), status);
            QCOMPARE(CarriedDifferences(*untouched, *window), QStringList());
        }
        ExpectIdle(*window);
    }

    void aFolderCannotBeRead()
    {
        QVERIFY(QDir(folder_->path()).mkdir(QStringLiteral("folder.bin")));
        TestWindow window;
        window->LoadSettingsFile(pathOf(QStringLiteral("folder.bin")));
        QCOMPARE(window->statusText(), QStringLiteral("File could not be read."));
    }

    void everyChangedCheckedByteIsRefused()
    {
        TestWindow window;
        const q9tx::ConfigImage image = window->EncodeImage(std::nullopt);
        int refused = 0;
        for (std::size_t offset = 32; offset < 510; ++offset) {
            q9tx::ConfigImage changed = image;
            changed[offset] ^= 0x80;
            try {
                q9tx::ValidateImage(0, changed);
            } catch (const q9tx::StatusError& error) {
                refused += error.number() == q9tx::StatusContentCorrupted;
            }
        }
        QCOMPARE(refused, 478);  // the 476 checked bytes and check word 1 itself
        q9tx::ConfigImage header = image;
        for (std::size_t offset = 6; offset < 32; ++offset)
            header[offset] = 0xA5;
        q9tx::ValidateImage(0, header);
    }

    void droppedFiles_data()
    {
        QTest::addColumn<QStringList>("dropped");
        QTest::addColumn<QString>("loaded");  // the name of the file loaded, or none
        QTest::newRow("text file") << QStringList{"notes.txt"} << "";
        QTest::newRow("upper-case extension") << QStringList{"PAGER.BIN"} << "PAGER.BIN";
        QTest::newRow("mixed-case extension") << QStringList{"pager.Bin"} << "pager.Bin";
        QTest::newRow("three files") << QStringList{"first.bin", "second.bin", "third.bin"} << "first.bin";
        QTest::newRow("text file first") << QStringList{"notes.txt", "second.bin"} << "";
        QTest::newRow("dot in the folder only") << QStringList{"sub.bin/plain"} << "";
    }
    void droppedFiles()
    {
        QFETCH(QStringList, dropped);
        QFETCH(QString, loaded);
        QVERIFY(QDir(folder_->path()).mkdir(QStringLiteral("sub.bin")));
        QStringList paths;
        for (const QString& name : dropped) {
            paths << pathOf(name);
            WriteAll(paths.back(), ImageWithBanner(name));
        }
        TestWindow window;
        window->setStatusText(QStringLiteral("before"));
        Drop(*window, paths);
        QCOMPARE(Control<QLineEdit>(*window, QStringLiteral("banner"))->text(),
                 loaded.isEmpty() ? kStartupBanner : loaded);
        QCOMPARE(window->statusText(),
                 loaded.isEmpty() ? QStringLiteral("before") : QStringLiteral("Loaded data from %1.").arg(paths.front()));
        QCOMPARE(window->currentFileName, QStringLiteral("Settings.bin"));
    }

    // A name that is not UTF-8, with a control character in it, reaches the file as its
    // bytes and the status bar escaped, whichever way it comes.
    void namesThatAreNoUtf8_data()
    {
        QTest::addColumn<QString>("way");
        QTest::addColumn<bool>("save");
        QTest::newRow("file argument") << "argument" << false;
        QTest::newRow("file argument as a URL") << "url argument" << false;
        QTest::newRow("dropped") << "drop" << false;
        QTest::newRow("open dialog") << "dialog" << false;
        QTest::newRow("save dialog") << "dialog" << true;
    }
    void namesThatAreNoUtf8()
    {
        QFETCH(QString, way);
        QFETCH(bool, save);
        const QByteArray bytes = QFile::encodeName(folder_->path()) + "/\xff\x1b.bin";
        const QByteArray url = "file://" + bytes.toPercentEncoding("/");
        const QString shown = folder_->path() + QStringLiteral("/\\xFF\\x1B.bin");
        WriteBytes(bytes.toStdString(), ImageWithBanner(QStringLiteral("Odd name")));
        // Qt's own removal of the folder would lose the name's bytes.
        const auto remove = qScopeGuard([&] { ::unlink(bytes.constData()); });
        TestWindow window;
        window->OpenDialog1 = Answering(QString::fromUtf8(bytes));  // as the toolkit lists it
        window->SaveDialog1 = Answering(QString::fromUtf8(bytes));
        if (save)
            window->Save1Click();
        else if (way == QLatin1String("dialog"))
            window->Open1Click();
        else if (way == QLatin1String("drop"))
            DropUrls(*window, {QUrl::fromEncoded(url)});
        else
            q9tx::LoadFileArgumentLater(*window, way == QLatin1String("url argument") ? QString::fromLatin1(url)
                                                                                     : q9tx::PathFromBytes(bytes));
        QCoreApplication::processEvents();
        QCOMPARE(window->statusText(), (save ? QStringLiteral("Saved data to %1.") : QStringLiteral("Loaded data from %1.")).arg(shown));
        QCOMPARE(Control<QLineEdit>(*window, QStringLiteral("banner"))->text(),
                 save ? kStartupBanner : QStringLiteral("Odd name"));
        QCOMPARE(ReadBytes(bytes.toStdString()), save ? ImageWithBanner(kStartupBanner) : ImageWithBanner(QStringLiteral("Odd name")));
        QCOMPARE(std::distance(fs::directory_iterator(folder_->path().toStdString()), fs::directory_iterator()), 1);
    }

    void dialogsProposeTheLastConfirmedName()
    {
        TestWindow window;
        QStringList proposed;
        window->OpenDialog1 = Answering({}, &proposed);
        window->SaveDialog1 = Answering({}, &proposed);
        window->Open1Click();
        window->Save1Click();
        QCOMPARE(entries(), QStringList());
        QCOMPARE(window->currentFileName, QStringLiteral("Settings.bin"));

        window->SaveDialog1 = Answering(pathOf(QStringLiteral("saved.bin")), &proposed);
        window->Save1Click();
        window->OpenDialog1 = Answering(pathOf(QStringLiteral("missing.bin")), &proposed);
        window->Open1Click();
        QCOMPARE(window->statusText(), QStringLiteral("File could not be read."));
        window->Open1Click();
        QCOMPARE(proposed, (QStringList{"Settings.bin", "Settings.bin", "Settings.bin", pathOf("saved.bin"),
                                        pathOf("missing.bin")}));
    }

    void failedSaveKeepsTheEarlierFile_data()
    {
        QTest::addColumn<QString>("target");
        QTest::addColumn<int>("sizeLimit");  // 0: none
        QTest::addColumn<QString>("linkTo");  // the target is made a link to this name
        QTest::newRow("disk full half-way") << "earlier.bin" << 100 << "";
        QTest::newRow("disk full at once") << "earlier.bin" << 1 << "";
        QTest::newRow("target is a folder") << "folder.bin" << 0 << "";
        QTest::newRow("read-only file") << "read-only.bin" << 0 << "";
        QTest::newRow("dangling link") << "link.bin" << 0 << "nowhere.bin";
    }
    void failedSaveKeepsTheEarlierFile()
    {
        QFETCH(QString, target);
        QFETCH(int, sizeLimit);
        QFETCH(QString, linkTo);
        const QByteArray earlier = ImageWithBanner(QStringLiteral("Earlier"));
        WriteAll(pathOf(QStringLiteral("earlier.bin")), earlier);
        // Kept even from an administrator: nobody may write it.
        WriteAll(pathOf(QStringLiteral("read-only.bin")), earlier);
        QVERIFY(QFile::setPermissions(pathOf(QStringLiteral("read-only.bin")), QFile::ReadOwner | QFile::ReadOther));
        if (!linkTo.isEmpty())
            QVERIFY(QFile::link(linkTo, pathOf(target)));
        QVERIFY(QDir(folder_->path()).mkdir(QStringLiteral("folder.bin")));
        const QStringList before = entries();
        TestWindow window;
        window->SaveDialog1 = Answering(pathOf(target));
        {
            std::optional<FileSizeLimit> limit;
            if (sizeLimit > 0)
                limit.emplace(static_cast<rlim_t>(sizeLimit));
            window->Save1Click();
        }
        QCOMPARE(window->statusText(), QStringLiteral("File could not be written."));
        QCOMPARE(ReadAll(pathOf(QStringLiteral("earlier.bin"))), earlier);
        QCOMPARE(ReadAll(pathOf(QStringLiteral("read-only.bin"))), earlier);
        QCOMPARE(entries(), before);  // no temporary file stays behind
        QCOMPARE(window->currentFileName, pathOf(target));
        ExpectIdle(*window);
    }

    void saveStopsBeforeTheDialog_data()
    {
        QTest::addColumn<QString>("contrast");
        QTest::addColumn<QString>("folderSize");
        QTest::addColumn<QString>("error");  // the general error box
        QTest::addColumn<QString>("status");
        QTest::newRow("refused contrast") << "7" << "1" << "" << "Illegal value.";
        QTest::newRow("empty folder size") << "15" << "" << "'' is not a valid integer value" << "";
    }
    void saveStopsBeforeTheDialog()
    {
        QFETCH(QString, contrast);
        QFETCH(QString, folderSize);
        QFETCH(QString, error);
        QFETCH(QString, status);
        TestWindow window;
        Apply(*window, {{"storage1", "1"}, {"folderEn1", "1"}});
        window->editor().addressesPage().StorageExit();
        Control<QLineEdit>(*window, QStringLiteral("lcdBaseContrast"))->setText(contrast);
        window->editor().generalPage().ContrastExit();
        Control<QLineEdit>(*window, QStringLiteral("folderSize1"))->setText(folderSize);
        QStringList proposed;
        window->SaveDialog1 = Answering(pathOf(QStringLiteral("never.bin")), &proposed);
        // Menu commands run inside the general error box's guard.
        q9tx::Guarded([&] { window->Save1Click(); });
        QCOMPARE(proposed, QStringList());
        QCOMPARE(window.errors, error.isEmpty() ? QStringList() : QStringList{error});
        QCOMPARE(window->statusText(), status);
        QCOMPARE(entries(), QStringList());
    }

    void oneOperationAtATime()
    {
        const QString path = pathOf(QStringLiteral("queued.bin"));
        WriteAll(path, ImageWithBanner(QStringLiteral("Queued")));
        TestWindow window;
        QStringList proposed;
        window->OpenDialog1 = Answering(path, &proposed);
        window->SaveDialog1 = Answering(path, &proposed);
        QVERIFY(window->BeginOperation(q9tx::StatusReading));  // as a read from the pager does
        QVERIFY(!window->BeginOperation(q9tx::StatusSaving));
        QCOMPARE(window->action->text(), QStringLiteral("Reading..."));
        window->Open1Click();
        window->Save1Click();
        window->LoadSettingsFile(path);
        Drop(*window, {path});
        QCOMPARE(proposed, QStringList());
        QCOMPARE(Control<QLineEdit>(*window, QStringLiteral("banner"))->text(), kStartupBanner);
        QVERIFY(!window->progress->isHidden() && !Control<QWidget>(*window, QStringLiteral("settings"))->isEnabled());

        window->EndOperation();
        ExpectIdle(*window);
        window->Open1Click();
        QCOMPARE(Control<QLineEdit>(*window, QStringLiteral("banner"))->text(), QStringLiteral("Queued"));
    }

private:
    std::unique_ptr<QTemporaryDir> folder_;
};

QTEST_MAIN(SettingsFilesTest)
#include "settings_files_test.moc"
