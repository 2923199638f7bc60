#pragma once
// The names of the backups of a pager's image taken before it is written.

#include <string>

#include <QDateTime>
#include <QString>

namespace q9tx::cli {

// "<serial>-<time>.bin": the serial number with every character but letters, digits,
// '-' and '_' replaced by '_' ("unknown" when empty), the time in UTC as 20261208T104534Z.
QString BackupFileName(const std::string& serialNumber, const QDateTime& time);

// The path in `dir` for a backup, with `note` (such as "-corrupted") and then "-2", "-3",
// ... before the extension when the name is taken (also by a dangling link), so that no
// backup replaces another.
QString FreeBackupPath(const QString& dir, const std::string& serialNumber, const QDateTime& time,
                       const QString& note = {});

}  // namespace q9tx::cli
