#pragma once
// Texts from a user, a file or a pager made safe to show on a terminal: a control
// character in a setting name or a pager's information text could otherwise move the
// cursor, recolour the screen or hide the line it stands in.

#include <string>
#include <string_view>

namespace q9tx {

// UTF-8 text with every control character (C0, DEL, C1) and every byte that is not part
// of a well-formed UTF-8 character written as \xNN; everything else is kept as it is.
std::string PrintableText(std::string_view utf8);

// A text in the pager's 8-bit characters (ISO 8859-1) as printable UTF-8, escaped as above.
std::string PrintableLatin1(std::string_view latin1);

}  // namespace q9tx
