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

QString FreeBackupPath(const QString& dir, const std::string& serialNumber, const QDateTime& time)
{
    const QString name = BackupFileName(serialNumber, time);
    const QString base = name.chopped(4);
    QString path = QDir(dir).filePath(name);
    for (int n = 2; QFileInfo::exists(path); ++n)
        path = QDir(dir).filePath(base + u'-' + QString::number(n) + QStringLiteral(".bin"));
    return path;
}

}  // namespace q9tx::cli
