#include "editor/frequency_field_text.h"

#include "image/frequency_text.h"

namespace q9tx {
namespace {

// The image's conversions take a one-byte separator; a locale whose separator has no
// ASCII form is handed over as '.'.
char AsciiSeparator(QChar separator)
{
    return separator.unicode() < 0x80 ? static_cast<char>(separator.unicode()) : '.';
}

}  // namespace

std::uint32_t FrequencyFieldToHertz(const QString& text, QChar separator)
{
    const char ascii = AsciiSeparator(separator);
    QString number = text;
    if (QChar(QLatin1Char(ascii)) != separator)
        number.replace(separator, QLatin1Char(ascii));
    // UTF-8, so that a conversion error quotes any other character as the user sees it.
    return FrequencyTextToHertz(number.toStdString(), ascii);
}

QString FillFrequencyText(QString text, QChar separator)
{
    // The separator goes right behind a whole number, which puts it at position 3 for every
    // frequency a chip accepts; an image can hold others ("22" must not become "220.00000").
    if (!text.contains(separator) && text.size() < kFrequencyFieldLength)
        text.append(separator);
    while (text.size() < kFrequencyFieldLength)
        text.append(QLatin1Char('0'));
    return text;
}

QString HertzToFrequencyDigits(std::uint32_t hertz, QChar separator)
{
    const char ascii = AsciiSeparator(separator);
    QString text = QString::fromStdString(HertzToFrequencyText(hertz, ascii));
    if (QChar(QLatin1Char(ascii)) != separator)
        text.replace(QLatin1Char(ascii), separator);
    return text;
}

QString HertzToFrequencyField(std::uint32_t hertz, QChar separator)
{
    return FillFrequencyText(HertzToFrequencyDigits(hertz, separator), separator);
}

}  // namespace q9tx
