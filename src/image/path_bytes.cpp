#include "image/path_bytes.h"

#include <dirent.h>
#include <sys/stat.h>

#include <memory>
#include <optional>

#include <QFile>
#include <QStringList>

namespace q9tx {
namespace {

constexpr char16_t kEscapedByteBase = 0xDC00;
constexpr char16_t kFirstEscapedByte = 0xDC80;
constexpr char16_t kLastEscapedByte = 0xDCFF;
constexpr char16_t kReplacement = 0xFFFD;

// The length of the valid UTF-8 sequence at `at`, 0 when there is none.
std::size_t Utf8SequenceLength(const QByteArray& bytes, qsizetype at)
{
    const auto byte = [&](qsizetype i) { return static_cast<unsigned char>(bytes[i]); };
    const unsigned char lead = byte(at);
    if (lead < 0x80)
        return 1;
    std::size_t length = 0;
    unsigned char low = 0x80;
    unsigned char high = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        low = lead == 0xE0 ? 0xA0 : 0x80;   // no overlong form
        high = lead == 0xED ? 0x9F : 0xBF;  // no surrogate
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        low = lead == 0xF0 ? 0x90 : 0x80;
        high = lead == 0xF4 ? 0x8F : 0xBF;  // nothing beyond U+10FFFF
    } else {
        return 0;
    }
    if (at + static_cast<qsizetype>(length) > bytes.size())
        return 0;
    for (std::size_t i = 1; i < length; ++i) {
        const unsigned char next = byte(at + static_cast<qsizetype>(i));
        if (next < (i == 1 ? low : 0x80) || next > (i == 1 ? high : 0xBF))
            return 0;
    }
    return length;
}

bool IsEscapedByte(QStringView text, qsizetype at)
{
    const char16_t unit = text[at].unicode();
    // The low half of a surrogate pair is a character, not a byte.
    return unit >= kFirstEscapedByte && unit <= kLastEscapedByte && !(at > 0 && text[at - 1].isHighSurrogate());
}

std::string Join(const std::string& folder, const std::string& name, bool absolute)
{
    return folder.empty() && !absolute ? name : folder + "/" + name;
}

// The one entry of the folder that the toolkit shows as `shown`.
std::optional<std::string> ListedEntry(const std::string& folder, const QString& shown)
{
    const std::unique_ptr<DIR, int (*)(DIR*)> listing(::opendir(folder.c_str()), ::closedir);
    if (!listing)
        return std::nullopt;
    std::optional<std::string> found;
    while (const dirent* entry = ::readdir(listing.get())) {
        if (QFile::decodeName(entry->d_name) != shown)
            continue;
        if (found)
            return std::nullopt;
        found = entry->d_name;
    }
    return found;
}

bool Exists(const std::string& path)
{
    struct stat info {};
    return ::lstat(path.c_str(), &info) == 0;
}

}  // namespace

QString PathFromBytes(const QByteArray& bytes)
{
    QString path;
    for (qsizetype at = 0; at < bytes.size();) {
        const std::size_t length = Utf8SequenceLength(bytes, at);
        if (length == 0) {
            path += QChar(static_cast<char16_t>(kEscapedByteBase + static_cast<unsigned char>(bytes[at])));
            ++at;
            continue;
        }
        path += QString::fromUtf8(bytes.constData() + at, static_cast<qsizetype>(length));
        at += static_cast<qsizetype>(length);
    }
    return path;
}

std::string PathBytes(const QString& path)
{
    std::string bytes;
    qsizetype runStart = 0;
    const auto endRun = [&](qsizetype end) {
        bytes += QStringView(path).mid(runStart, end - runStart).toUtf8().toStdString();
    };
    for (qsizetype at = 0; at < path.size(); ++at) {
        if (!IsEscapedByte(path, at))
            continue;
        endRun(at);
        bytes += static_cast<char>(path[at].unicode() - kEscapedByteBase);
        runStart = at + 1;
    }
    endRun(path.size());
    return bytes;
}

QString PathFromFileUrl(const QUrl& url)
{
    const QString host = url.host(QUrl::FullyEncoded);
    const QByteArray path = QByteArray::fromPercentEncoding(url.path(QUrl::FullyEncoded).toLatin1());
    return (host.isEmpty() || host == QLatin1String("localhost") ? QString() : QStringLiteral("//") + host) +
           PathFromBytes(path);
}

QString ListedPath(const QString& shown)
{
    if (!shown.contains(QChar(kReplacement)) || Exists(PathBytes(shown)))
        return shown;
    const bool absolute = shown.startsWith(QLatin1Char('/'));
    std::string resolved;
    for (const QString& part : shown.split(QLatin1Char('/'), Qt::SkipEmptyParts)) {
        const std::string direct = Join(resolved, PathBytes(part), absolute);
        if (Exists(direct) || !part.contains(QChar(kReplacement))) {
            resolved = direct;
            continue;
        }
        const std::string folder = resolved.empty() ? (absolute ? "/" : ".") : resolved;
        const std::optional<std::string> entry = ListedEntry(folder, part);
        if (!entry)
            return shown;
        resolved = Join(resolved, *entry, absolute);
    }
    return PathFromBytes(QByteArray::fromStdString(resolved));
}

}  // namespace q9tx
