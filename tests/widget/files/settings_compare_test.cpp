// File, Compare with File...: the differing settings in the command line's words, the
// file refusals of Open, and an editor that stays as it was.

#include <memory>
#include <sys/stat.h>

#include <QAction>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QTemporaryDir>
#include <QTest>

#include "conversion_support.h"
#include "editor/addresses_page.h"
#include "editor/general_page.h"
#include "editor/messages_page.h"
#include "editor/settings_editor.h"
#include "find_control.h"

namespace {

// A file as a technician's template: a few settings away from the start-up editor.
const Settings kTemplate = {
    {"storage2", "1"},     {"address3", "2004064"}, {"finish5", "17:30"},          {"folderEn1", "1"},
    {"folderSize1", "12"}, {"banner", "Night shift team    "}, {"toneUrgent", "1234"}, {"frequency", "152.0125"},
};

// The start-up editor against that template, as the command line's diff words them.
const QStringList kTemplateLines = {
    "Addresses / Address 2 storage: Private -> Public",
    "Addresses / Address 3: 2004016 -> 2004064",
    "Schedule / Friday finish: 18:00 -> 17:30",
    "Folders / Folder 1 in use: no -> yes",
    "Folders / Folder 1 size: 1 -> 12",
    "General / Banner: \"---- Zerin Q9TX ----\" -> \"Night shift team    \"",
    "Alerts / Urgent: D1B1 -> 1234",
    "RF / Frequency: 457.60000 -> 152.01250",
};

QByteArray TemplateImage()
{
    TestWindow maker;
    Apply(*maker, kTemplate);
    maker->editor().addressesPage().StorageExit();
    maker->editor().messagesPage().FolderEnClick(0);
    maker->editor().addressesPage().AddressExit(2);
    maker->editor().generalPage().FrequencyExit();
    return BytesOf(maker->EncodeImage(std::nullopt));
}

void WriteAll(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
}

// The comparison box's text after its first line, one difference a line.
QStringList DifferenceLines(const QString& text) { return text.split(u'\n').mid(2); }

}  // namespace

class SettingsCompareTest : public QObject {
    Q_OBJECT

    QString pathOf(const QString& name) const { return folder_->filePath(name); }

    // Runs Compare with the dialog answering `path`; the texts the comparison box showed.
    QStringList compare(TestWindow& window, const QString& path)
    {
        QStringList shown;
        window->OpenDialog1 = [path](const QString&) {
            return path.isEmpty() ? std::nullopt : std::optional<QString>(path);
        };
        window->ComparisonBox1 = [&shown](const QString& caption, const QString& text) {
            QCOMPARE(caption, QStringLiteral("Compare with File"));
            shown << text;
        };
        window->Compare1->trigger();
        return shown;
    }

private slots:
    void init()
    {
        folder_ = std::make_unique<QTemporaryDir>();
        QVERIFY(folder_->isValid());
    }

    void menuItemSitsBetweenSaveAndTheSeparator()
    {
        TestWindow window;
        const QList<QAction*> items = window->File1->actions();
        QCOMPARE(items.indexOf(window->Compare1), items.indexOf(window->Save1) + 1);
        QCOMPARE(items.indexOf(window->N1), items.indexOf(window->Compare1) + 1);
        QCOMPARE(window->Compare1->objectName(), QStringLiteral("Compare1"));
        QCOMPARE(window->Compare1->text(), QStringLiteral("&Compare with File..."));
        QCOMPARE(window->Compare1->shortcut().toString(), QString());
    }

    void showsExactlyTheDifferingSettings()
    {
        const QString path = pathOf(QStringLiteral("template.bin"));
        WriteAll(path, TemplateImage());
        TestWindow window;
        TestWindow untouched;
        window->setStatusText(QStringLiteral("File could not be read."));
        const QStringList shown = compare(window, path);
        QCOMPARE(shown.size(), 1);
        QCOMPARE(shown.front().section(u'\n', 0, 0),
                 QStringLiteral("%1 differs from the editor in 8 settings (editor -> file):").arg(path));
        QCOMPARE(DifferenceLines(shown.front()), kTemplateLines);
        QCOMPARE(CarriedDifferences(*untouched, *window), QStringList());
        QCOMPARE(window->statusText(), QString());  // no stale refusal beside the answer
        QCOMPARE(window->currentFileName, QStringLiteral("Settings.bin"));
        QVERIFY(window.errors.isEmpty());
    }

    void aLoadedFileHasNoDifferencesUntilTheEditorChanges()
    {
        const QString path = pathOf(QStringLiteral("template.bin"));
        WriteAll(path, TemplateImage());
        TestWindow window;
        window->LoadSettingsFile(path);
        QCOMPARE(compare(window, path),
                 QStringList{QStringLiteral("No differences: %1 holds the settings the editor shows.").arg(path)});

        Apply(*window, {{"address1", "1234567"}, {"nightShift2", "1"}, {"messageEncoding", "3"}});
        const QStringList shown = compare(window, path);
        QCOMPARE(shown.size(), 1);
        QCOMPARE(DifferenceLines(shown.front()),
                 (QStringList{"Addresses / Address 1: 1234567 -> 2004000", "Schedule / Tuesday night shift: yes -> no",
                              "Messages / Transmitted text encoding: French -> English (UK)"}));
        QCOMPARE(Control<QLineEdit>(*window, QStringLiteral("address1"))->text(), QStringLiteral("1234567"));
    }

    void refusedFilesShowNoComparison_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("content");  // null: no file at all
        QTest::addColumn<QString>("status");      // empty: nothing happens at all
        const QByteArray image = TemplateImage();
        QByteArray changed = image;
        changed[300] = static_cast<char>(changed[300] ^ 1);
        QTest::newRow("missing") << "missing.bin" << QByteArray() << "File could not be read.";
        QTest::newRow("511 bytes") << "short.bin" << image.left(511) << "File corrupted.";
        QTest::newRow("one byte changed") << "changed.bin" << changed << "The content is corrupted.";
        QTest::newRow("map version 1") << "map.bin" << QByteArray(image).replace(3, 1, "\x01")
                                        << "The content doesn't match the pager firmware.";
        QTest::newRow("not a settings file") << "template.txt" << image << "";
        QTest::newRow("cancelled") << "" << QByteArray() << "";
    }
    void refusedFilesShowNoComparison()
    {
        QFETCH(QString, name);
        QFETCH(QByteArray, content);
        QFETCH(QString, status);
        const QString path = name.isEmpty() ? QString() : pathOf(name);
        if (!content.isNull())
            WriteAll(path, content);
        TestWindow window;
        TestWindow untouched;
        window->setStatusText(QStringLiteral("before"));
        QCOMPARE(compare(window, path), QStringList());
        QCOMPARE(window->statusText(), status.isEmpty() ? QStringLiteral("before") : status);
        QCOMPARE(CarriedDifferences(*untouched, *window), QStringList());
        QCOMPARE(window->currentFileName, QStringLiteral("Settings.bin"));
    }

    // A pipe named like a settings file has no writer: Open and Compare refuse it at once
    // instead of waiting for one.
    void aPipeIsRefusedWithoutWaiting()
    {
        const QString path = pathOf(QStringLiteral("pipe.bin"));
        QCOMPARE(mkfifo(QFile::encodeName(path).constData(), 0600), 0);
        TestWindow window;
        QCOMPARE(compare(window, path), QStringList());
        QCOMPARE(window->statusText(), QStringLiteral("File could not be read."));
        window->setStatusText(QString());
        window->LoadSettingsFile(path);
        QCOMPARE(window->statusText(), QStringLiteral("File could not be read."));
        QCOMPARE(Control<QLineEdit>(*window, QStringLiteral("banner"))->text(), QStringLiteral("---- Zerin Q9TX ----"));
    }

private:
    std::unique_ptr<QTemporaryDir> folder_;
};

QTEST_MAIN(SettingsCompareTest)
#include "settings_compare_test.moc"
