#pragma once
// Reading the pager's configuration image: 16 block requests, one at a time, each sent
// when the reply to the one before has been handled; then the image's checks.

#include <cstdint>

#include "link/link_messages.h"
#include "transfer/transfer_machine.h"

namespace q9tx {

class ReadMachine final : public TransferMachine {
public:
    static constexpr int kProgressStep = 6;

    ReadMachine(LinkControl& link, TransferReport& report);

    // Code 0 starts a read; codes 1 to 16 hand over the reply for block code - 1, with
    // its length byte and payload. Ignored while no read is under way.
    void Step(std::uint16_t code, const WindowMessage* block);
};

}  // namespace q9tx
