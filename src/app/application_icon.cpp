#include "app/application_icon.h"

#include <QDirIterator>

namespace q9tx {

QString ApplicationId()
{
    return QStringLiteral(Q9TX_APP_ID);
}

QString IconName()
{
    return QStringLiteral("q9tx-programmer");
}

QIcon ApplicationIcon()
{
    QIcon builtIn;
    QDirIterator sizes(QStringLiteral(":/icons"), {QStringLiteral("*.png")}, QDir::Files,
                       QDirIterator::Subdirectories);
    while (sizes.hasNext())
        builtIn.addFile(sizes.next());
    return QIcon::fromTheme(IconName(), builtIn);
}

}  // namespace q9tx
