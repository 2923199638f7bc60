#include "cli/status_messages.h"

#include "image/status_texts.h"

namespace q9tx::cli {

std::string StatusMessage(int number)
{
    const std::string_view text = StatusTextOf(number);
    return text.empty() ? "Error " + std::to_string(number) + "." : std::string(text);
}

}  // namespace q9tx::cli
