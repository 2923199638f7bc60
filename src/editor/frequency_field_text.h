#pragma once
// The text of the frequency field: megahertz with the locale's decimal separator,
// shown filled to the field's nine characters ("433.92500").

#include <cstdint>

#include <QChar>
#include <QString>

namespace q9tx {

inline constexpr int kFrequencyFieldLength = 9;

// Whole hertz of the field's text. Throws ConversionError "'<text>' is not a valid
// floating point value" for text that is no decimal number with this separator.
std::uint32_t FrequencyFieldToHertz(const QString& text, QChar separator);

// Fills the text to nine characters with "0", after a separator when it has none:
// "454" becomes "454.00000", "433.925" "433.92500".
QString FillFrequencyText(QString text, QChar separator);

// The frequency in its shortest decimal form ("457.6", "23", "100.003125").
QString HertzToFrequencyDigits(std::uint32_t hertz, QChar separator);

// The frequency in its shortest decimal form, filled to nine characters.
QString HertzToFrequencyField(std::uint32_t hertz, QChar separator);

}  // namespace q9tx
