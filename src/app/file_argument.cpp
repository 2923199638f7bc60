#include "app/file_argument.h"

#include <QFileInfo>
#include <QTimer>
#include <QUrl>

#include "app/error_box.h"
#include "app/tform1.h"

namespace q9tx {

void LoadFileArgumentLater(TForm1& window, const QString& argument)
{
    const QUrl url(argument);
    const QString path = QFileInfo(url.isLocalFile() ? url.toLocalFile() : argument).absoluteFilePath();
    QTimer::singleShot(0, &window, [&window, path] { Guarded([&] { window.LoadSettingsFile(path); }); });
}

}  // namespace q9tx
