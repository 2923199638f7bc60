#include "editor/status_texts.h"

#include "image/path_bytes.h"
#include "image/printable_text.h"

namespace q9tx {

QString StatusText(int number)
{
    const std::string_view text = StatusTextOf(number);
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

QString StatusText(int number, const QString& argument)
{
    QString text = StatusText(number);
    // Replaced literally, so that a file name holding "%1" or "%s" stays as it is.
    const qsizetype at = text.indexOf(QLatin1String("%s"));
    if (at >= 0)
        text.replace(at, 2, EscapedText(argument));
    return text;
}

QString EscapedText(const QString& text)
{
    // The same escaping as the command line's, over the name's own bytes.
    return QString::fromStdString(PrintableText(PathBytes(text)));
}

}  // namespace q9tx
