#pragma once
// `q9tx read` and `q9tx write`: the commands that talk to a pager. Both run inside a
// QCoreApplication; `arguments` follow the command's name.

#include <QStringList>

namespace q9tx::cli {

int RunReadCommand(const QStringList& arguments);
int RunWriteCommand(const QStringList& arguments);

}  // namespace q9tx::cli
