#pragma once
// The numbered status texts as the window shows them.

#include <QString>

#include "image/status_texts.h"

namespace q9tx {

// The text of a status number, empty for a number the table does not hold.
QString StatusText(int number);
// The text with its "%s" replaced by the argument (file names in 1201 and 1203), shown
// as EscapedText shows it.
QString StatusText(int number, const QString& argument);

// A text from the user or the pager as the window may show it: a control character, or a
// byte of a file name that is not UTF-8, as \xNN, so that it can neither hide nor fake
// a part of the text.
QString EscapedText(const QString& text);

}  // namespace q9tx
