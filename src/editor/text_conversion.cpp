#include "editor/text_conversion.h"

#include <limits>

namespace q9tx {
namespace {

[[noreturn]] void Refuse(const QString& text)
{
    throw ConversionError(("'" + text + "' is not a valid integer value").toStdString());
}

}  // namespace

int TextToInt(const QString& text)
{
    qsizetype position = 0;
    const bool negative = text.startsWith(QLatin1Char('-'));
    if (negative || text.startsWith(QLatin1Char('+')))
        ++position;
    if (position == text.size())
        Refuse(text);
    // Accumulated as a negative number, whose range reaches one further than the positive one.
    long long value = 0;
    for (; position < text.size(); ++position) {
        const QChar character = text[position];
        if (character < QLatin1Char('0') || character > QLatin1Char('9'))
            Refuse(text);
        value = value * 10 - (character.unicode() - u'0');
        if (value < std::numeric_limits<int>::min())
            Refuse(text);
    }
    if (!negative) {
        value = -value;
        if (value > std::numeric_limits<int>::max())
            Refuse(text);
    }
    return static_cast<int>(value);
}

}  // namespace q9tx
