#pragma once
// The pager's line settings applied to a tty's termios: raw binary transfer at
// 4800 baud, 8 data bits, no parity, 1 stop bit.

#include <termios.h>

namespace q9tx {

// Changes only what the pager needs. Hardware flow control and the modem-line
// setting stay as the driver reported them; software flow control is switched off
// because XON/XOFF bytes occur inside binary frames and would be swallowed.
void ApplyPagerLineSettings(termios& settings);

}  // namespace q9tx
