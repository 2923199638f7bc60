// Loading settings files with hostile contents: any size up to 4 KiB, any magic, any check
// words. The input is the file. It is loaded twice into the window: as it is, and with its check words made right so that the contents reach the editor.
//
// Properties: the status bar names exactly what is wrong with the file (or that it was
// loaded); a refused file changes no control; the editor is usable again afterwards.

#include <map>

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QTemporaryDir>

#include "find_control.h"
#include "app/tform1.h"
#include "conversion_target.h"
#include "fake_link.h"
#include "fuzz_check.h"
#include "checksum/crc16.h"

namespace {

std::uint16_t Le16(const QByteArray& bytes, qsizetype at)
{
    return std::uint16_t(std::uint8_t(bytes[at]) | std::uint8_t(bytes[at + 1]) << 8);
}

std::uint16_t Crc(const QByteArray& bytes, qsizetype from, qsizetype to)
{
    return q9tx::crc16(0, reinterpret_cast<const std::uint8_t*>(bytes.constData()) + from, std::uint16_t(to - from + 1));
}

void SealCheckWords(QByteArray& bytes)
{
    const std::uint16_t first = Crc(bytes, 32, 93);
    const std::uint16_t second = Crc(bytes, 96, 509);
    bytes[94] = char(first), bytes[95] = char(first >> 8);
    bytes[510] = char(second), bytes[511] = char(second >> 8);
}

QString ExpectedStatus(const QByteArray& file, int mapVersionIndex, const QString& path)
{
    if (file.size() < 512)
        return QStringLiteral("File corrupted.");
    if (Le16(file, 0) != 0xAC28 || file[2] != 1)
        return QStringLiteral("Pager unsupported.");
    if (Crc(file, 32, 93) != Le16(file, 94) || Crc(file, 96, 509) != Le16(file, 510))
        return QStringLiteral("The content is corrupted.");
    if (Le16(file, 4) == 0 && std::uint8_t(file[3]) != mapVersionIndex)
        return QStringLiteral("The content doesn't match the pager firmware.");
    return QStringLiteral("Loaded data from %1.").arg(path);
}

// Every control's value by name: check boxes, drop-downs and edits.
std::map<QString, QString> Snapshot(const TForm1& window)
{
    std::map<QString, QString> values;
    for (const QCheckBox* box : window.findChildren<QCheckBox*>())
        values[box->objectName()] = box->isChecked() ? QStringLiteral("1") : QStringLiteral("0");
    for (const QComboBox* list : window.findChildren<QComboBox*>())
        values[list->objectName()] = QString::number(list->currentIndex());
    for (const QLineEdit* edit : window.findChildren<QLineEdit*>())
        values[edit->objectName()] = edit->text();
    return values;
}

void Load(const QByteArray& file, const QString& path)
{
    QFile out(path);
    FUZZ_CHECK(out.open(QIODevice::WriteOnly | QIODevice::Truncate) && out.write(file) == file.size(),
               "cannot write %s", qPrintable(path));
    out.close();

    // One for the whole run: a window takes far longer to make than a file to load, and
    // every property holds whatever an earlier file left in the editor.
    static FakeLink link;
    static TForm1 window(link);
    window.setStatusText(QStringLiteral("before"));
    const std::map<QString, QString> before = Snapshot(window);
    window.LoadSettingsFile(path);

    const QString expected =
        ExpectedStatus(file, Control<QComboBox>(window, QStringLiteral("mapVersion"))->currentIndex(), path);
    FUZZ_CHECK(window.statusText() == expected, "a file of %lld bytes gave '%s', expected '%s'",
               static_cast<long long>(file.size()), qPrintable(window.statusText()), qPrintable(expected));
    FUZZ_CHECK(!window.operationRunning() && Control<QWidget>(window, QStringLiteral("settings"))->isEnabled() &&
                   window.progress->isHidden(),
               "the editor was left disabled");
    if (!expected.startsWith(QStringLiteral("Loaded"))) {
        const std::map<QString, QString> after = Snapshot(window);
        for (const auto& [name, value] : before)
            FUZZ_CHECK(after.at(name) == value, "a refused file changed %s from '%s' to '%s'", qPrintable(name),
                       qPrintable(value), qPrintable(after.at(name)));
    }
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    InitialiseOffscreenApplication();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("hostile.bin"));
    QByteArray file(reinterpret_cast<const char*>(data), qsizetype(size));
    Load(file, path);
    if (file.size() >= 512) {
        SealCheckWords(file);
        Load(file, path);
    }
    return 0;
}
