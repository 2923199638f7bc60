#pragma once
// The programmer's command-line options. Without options it behaves exactly as it always
// has: it finds the adapter's ports by itself.

#include <string>
#include <vector>

#include <QStringList>

namespace q9tx {

struct CommandLine {
    // Serial devices to probe before the discovered adapters (--port, repeatable).
    std::vector<std::string> ports;
    // Start the built-in simulated pager and probe its port (--simulate).
    bool simulate = false;
    // Where the link's trace goes (--trace); empty for none.
    std::string trace;
    // Settings files named as arguments ("Open with" of a file manager); the first is loaded.
    QStringList files;
    // Qt's own -platform option was given: the platform plugin needs no display then.
    bool platformGiven = false;
};

// Reads the options; --help and --version print their text and end the process, and an
// unknown option prints the error and the usage and ends it with status 2. Qt's standard
// options (-style, -platform, -geometry, ...) are left to the application object.
CommandLine ParseCommandLine(const QStringList& arguments);

}  // namespace q9tx
