#include "app/file_argument.h"

#include <unistd.h>

#include <climits>

#include <QDir>
#include <QTimer>
#include <QUrl>

#include "app/tform1.h"
#include "editor/error_box.h"
#include "image/path_bytes.h"

namespace q9tx {

namespace {

// Read as bytes: Qt's own current folder loses those of a name that is not UTF-8.
QString CurrentFolder()
{
    char folder[PATH_MAX];
    return ::getcwd(folder, sizeof folder) ? PathFromBytes(QByteArray(folder)) : QString();
}

}  // namespace

QString FileArgumentPath(const QString& argument)
{
    const QUrl url(argument);
    const QString local = url.isLocalFile() ? PathFromFileUrl(url) : argument;
    return QDir::cleanPath(QDir::isAbsolutePath(local) ? local : CurrentFolder() + QLatin1Char('/') + local);
}

void LoadFileArgumentLater(TForm1& window, const QString& argument)
{
    const QString path = FileArgumentPath(argument);
    QTimer::singleShot(0, &window, [&window, path] { Guarded([&] { window.LoadSettingsFile(path); }); });
}

}  // namespace q9tx
