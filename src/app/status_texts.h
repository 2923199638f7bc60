#pragma once
// The numbered status texts as the window shows them.

#include <QString>

#include "image/status_texts.h"

namespace q9tx {

// The text of a status number, empty for a number the table does not hold.
QString StatusText(int number);
// The text with its "%s" replaced by the argument (file names in 1201 and 1203).
QString StatusText(int number, const QString& argument);

}  // namespace q9tx
