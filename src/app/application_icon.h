#pragma once
// The programmer's icon: the installed theme's, else the copy built into the program,
// so that a window started from the build folder shows it too.

#include <QIcon>
#include <QString>

namespace q9tx {

// The name of the icon and of the desktop entry (q9tx-programmer.desktop).
QString ApplicationId();

QIcon ApplicationIcon();

}  // namespace q9tx
