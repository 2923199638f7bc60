#include <gtest/gtest.h>

#include "link/posix/pager_line_settings.h"

namespace q9tx {
namespace {

TEST(PagerLineSettings, ClearsEveryTranslationAndKeepsHardwareFlowControl)
{
    termios settings{};
    settings.c_iflag = ~tcflag_t{0};
    settings.c_oflag = ~tcflag_t{0};
    settings.c_lflag = ~tcflag_t{0};
    settings.c_cflag = CS5 | PARENB | PARODD | CSTOPB | CRTSCTS | CLOCAL | HUPCL;
    ApplyPagerLineSettings(settings);

    const struct {
        const char* name;
        tcflag_t field;
        tcflag_t bits;
        tcflag_t expected;
    } cases[] = {
        {"no CR/LF translation", settings.c_iflag, ICRNL | INLCR | IGNCR, 0},
        {"no parity checking or stripping", settings.c_iflag, INPCK | ISTRIP | PARMRK, 0},
        {"no break handling", settings.c_iflag, BRKINT | IGNBRK, 0},
        {"no XON/XOFF", settings.c_iflag, IXON | IXOFF | IXANY, 0},
        {"no output processing", settings.c_oflag, OPOST, 0},
        {"no canonical mode, echo or signals", settings.c_lflag, ICANON | ECHO | ECHONL | ISIG | IEXTEN, 0},
        {"8 data bits, no parity, 1 stop bit", settings.c_cflag, CSIZE | PARENB | CSTOPB, CS8},
        {"receiver on", settings.c_cflag, CREAD, CREAD},
        {"hardware flow control and modem lines as reported", settings.c_cflag, CRTSCTS | CLOCAL | HUPCL,
         CRTSCTS | CLOCAL | HUPCL},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.field & c.bits, c.expected) << c.name;
    }
    EXPECT_EQ(cfgetispeed(&settings), static_cast<speed_t>(B4800));
    EXPECT_EQ(cfgetospeed(&settings), static_cast<speed_t>(B4800));
    EXPECT_EQ(settings.c_cc[VMIN], 1);
}

}  // namespace
}  // namespace q9tx
