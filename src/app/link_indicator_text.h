#pragma once
// The words of the status bar's permanent link indicator: the port and the state of the
// link, what runs on it, and how the last read or write ended.

#include <QString>

namespace q9tx {

enum class LinkPhase {
    NoCable,      // no port to try
    PortProblem,  // the port cannot be opened; `problem` says why
    Waiting,      // the port is open, no pager answers yet
    Connected,    // a pager this program can program
    TooNew,       // a pager whose settings layout is newer than this program's
    Unsupported,  // a pager of another model
};

enum class LinkActivity { None, Reading, Writing };

struct LinkView {
    LinkPhase phase = LinkPhase::NoCable;
    QString port;       // the device's name, "ttyUSB0"
    QString firmware;   // "V2"
    QString serial;     // the pager's serial number, once read
    QString problem;    // why the port cannot be opened and what to do, naming the port
    LinkActivity activity = LinkActivity::None;
    bool closing = false;  // the window closes when the transfer ends
    QString outcome;       // how the last read or write ended, until the next one or a load
};

QString LinkIndicatorText(const LinkView& view);

}  // namespace q9tx
