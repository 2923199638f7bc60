#pragma once
// Writing an image to the pager: the pager's own header first, then the 16 blocks, each
// sent when the one before has been acknowledged, then the pager's verdict.

#include <cstdint>

#include "link/link_messages.h"
#include "transfer/transfer_machine.h"

namespace q9tx {

// What a write takes from the pager's header: the chip only outside recovery mode.
WriteFactoryValues FactoryValuesForWrite(const ImageHeader& header, bool recoveryMode);

class WriteMachine final : public TransferMachine {
public:
    // The code under which block data reaches the write: the pager's header.
    static constexpr std::uint16_t kHeaderArrived = 4096;
    static constexpr int kProgressStep = 5;

    WriteMachine(LinkControl& link, TransferReport& report);

    // Code 0 starts a write; 4096 hands over the header (length byte and payload); 1 to
    // 16 acknowledge block code - 1; 4097 to 4100 are the pager's J, K, L and M. Ignored
    // while no write is under way.
    void Step(std::uint16_t code, const WindowMessage* block);

private:
    // Sends what follows `code`; true once the write has ended well.
    bool Answer(std::uint16_t code, const WindowMessage* block);
    void TakeHeader(const WindowMessage* reply);
    void SendBlock(std::size_t block);
    std::chrono::milliseconds SilenceLimit() const override;

    // The header has been handled and the image built: blocks may go out.
    bool blocksReady_ = false;
    bool verifying_ = false;
};

}  // namespace q9tx
