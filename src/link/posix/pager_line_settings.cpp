#include "link/posix/pager_line_settings.h"

namespace q9tx {

void ApplyPagerLineSettings(termios& settings)
{
    // No break signals, parity marking or checking, stripping, CR/LF translation or XON/XOFF.
    settings.c_iflag &= ~static_cast<tcflag_t>(IGNBRK | BRKINT | PARMRK | INPCK | ISTRIP | INLCR | IGNCR | ICRNL |
                                               IUCLC | IXON | IXOFF | IXANY | IMAXBEL);
    settings.c_oflag &= ~static_cast<tcflag_t>(OPOST);
    settings.c_lflag &= ~static_cast<tcflag_t>(ICANON | ECHO | ECHOE | ECHOK | ECHONL | ISIG | IEXTEN);
    settings.c_cflag &= ~static_cast<tcflag_t>(CSIZE | PARENB | CSTOPB);
    settings.c_cflag |= CS8 | CREAD;
    settings.c_cc[VMIN] = 1;
    settings.c_cc[VTIME] = 0;
    cfsetispeed(&settings, B4800);
    cfsetospeed(&settings, B4800);
}

}  // namespace q9tx
