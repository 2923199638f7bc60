#include "editor/single_byte_validator.h"

namespace q9tx {

QValidator::State SingleByteValidator::validate(QString& input, int& position) const
{
    QString kept;
    kept.reserve(input.size());
    int keptPosition = position;
    for (qsizetype i = 0; i < input.size(); ++i) {
        if (HasSingleByteForm(input[i]))
            kept.append(input[i]);
        else if (i < position)
            --keptPosition;
    }
    input = kept;
    position = keptPosition;
    return Acceptable;
}

}  // namespace q9tx
