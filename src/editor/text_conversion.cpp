#include "editor/text_conversion.h"

#include <algorithm>
#include <limits>

#include "image/settings_rules.h"

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
        if (!IsDigitKey(character.unicode()))
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

QString WithOneByteRule(const QString& text, const std::function<std::string(std::string_view)>& rule)
{
    const bool latin1 = std::all_of(text.begin(), text.end(), [](QChar c) { return c.unicode() <= 0xFF; });
    if (latin1) {
        const std::string result = rule(text.toLatin1().toStdString());
        return QString::fromLatin1(result.data(), static_cast<qsizetype>(result.size()));
    }
    return QString::fromStdString(rule(text.toStdString()));
}

}  // namespace q9tx
