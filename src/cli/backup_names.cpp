#include "cli/backup_names.h"

#include <QDir>
#include <QFileInfo>

namespace q9tx::cli {

QString BackupFileName(const std::string& serialNumber, const QDateTime& time)
{
    QString serial;
    for (const char ch : serialNumber) {
        const bool plain = (ch >= 'a' && ch <= 'z') || (ch >= 'A' && ch <= 'Z') || (ch >= '0' && ch <= '9') ||
                           ch == '-' || ch == '_';
        serial += plain ? QLatin1Char(ch) : QLatin1Char('_');
    }
    if (serial.isEmpty())
        serial = QStringLiteral("unknown");
    return serial + u'-' + time.toUTC().toString(QStringLiteral("yyyyMMdd'T'HHmmss'Z'")) + QStringLiteral(".bin");
}

QString FreeBackupPath(const QString& dir, const std::string& serialNumber, const QDateTime& time,
                       const QString& note)
{
    const QString base = BackupFileName(serialNumber, time).chopped(4) + note;
    QString path = QDir(dir).filePath(base + QStringLiteral(".bin"));
    const auto taken = [](const QString& candidate) {
        const QFileInfo info(candidate);
        return info.exists() || info.isSymLink();
    };
    for (int n = 2; taken(path); ++n)
        path = QDir(dir).filePath(base + u'-' + QString::number(n) + QStringLiteral(".bin"));
    return path;
}

}  // namespace q9tx::cli
