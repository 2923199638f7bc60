#include "cli/status_messages.h"

#include "image/message_texts.h"
#include "transfer/transfer_status.h"

namespace q9tx::cli {

std::string StatusMessage(int number)
{
    if (const char* text = TransferStatusText(number))
        return text;
    std::string text = MessageText(number);
    return text.empty() ? "Error " + std::to_string(number) + "." : text;
}

}  // namespace q9tx::cli
