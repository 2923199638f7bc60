#include "transfer/header_block.h"

#include "image/status_error.h"
#include "image/status_texts.h"

namespace q9tx {

void CheckHeaderBlock(ImageHeader& header, const WindowMessage& reply)
{
    if (reply.payloadLength() != kHeaderSize)
        throw StatusError(StatusCannotRead);
    const bool magicRight = reply.payload(kMagicOffset) == (kImageMagic & 0xFF) &&
                            reply.payload(kMagicOffset + 1) == (kImageMagic >> 8);
    if (!magicRight || reply.payload(kLayoutVersionOffset) != kLayoutVersion)
        throw StatusError(StatusPagerUnsupported);
    for (std::size_t i = 0; i < kHeaderSize; ++i)
        header[i] = reply.payload(i);
}

}  // namespace q9tx
