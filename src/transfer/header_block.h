#pragma once
// The pager's header as a write receives it: the reply to the request for block 0.

#include "image/config_image.h"
#include "link/link_messages.h"

namespace q9tx {

// Copies the reply's 32 payload bytes into `header`. Raises StatusError 1208 when the
// reply holds other than exactly 32 bytes, since a header padded with stale bytes would
// be written back into the pager, and 1103 for a wrong magic or layout version.
void CheckHeaderBlock(ImageHeader& header, const WindowMessage& reply);

}  // namespace q9tx
