#pragma once
// The programmer's icon: the installed theme's, else the copy built into the program,
// so that a window started from the build folder shows it too.

#include <QIcon>
#include <QString>

namespace q9tx {

// The name of the desktop entry (<id>.desktop) and of the AppStream component.
QString ApplicationId();
// The icon's name in the icon theme.
QString IconName();

QIcon ApplicationIcon();

}  // namespace q9tx
