#include "app/status_texts.h"

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
    const auto hex = [](unsigned value) { return QStringLiteral("\\x%1").arg(value, 2, 16, QLatin1Char('0')); };
    QString shown;
    for (qsizetype at = 0; at < text.size(); ++at) {
        const QChar c = text[at];
        const bool paired = (c.isHighSurrogate() && at + 1 < text.size() && text[at + 1].isLowSurrogate()) ||
                            (c.isLowSurrogate() && at > 0 && text[at - 1].isHighSurrogate());
        if (c.category() == QChar::Other_Control)
            shown += hex(c.unicode());
        else if (c.unicode() >= 0xDC80 && c.unicode() <= 0xDCFF && !paired)
            shown += hex(c.unicode() & 0xFFu);  // a byte of a name that is not UTF-8
        else if (c.isSurrogate() && !paired)
            shown += QChar(QChar::ReplacementCharacter);
        else
            shown += c;
    }
    return shown;
}

}  // namespace q9tx
