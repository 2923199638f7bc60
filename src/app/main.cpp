#include <cstdio>
#include <cstdlib>
#include <memory>

#include "app/command_line.h"
#include "app/file_argument.h"
#include "app/q9tx_application.h"
#include "app/single_instance.h"
#include "app/termination_signals.h"
#include "app/tform1.h"
#include "editor/error_box.h"
#include "image/path_bytes.h"
#include "link/adapter_discovery.h"
#include "link/link_trace.h"
#include "link/pager_link.h"
#include "link/posix/posix_serial_port.h"
#include "link/posix/udev_device_monitor.h"
#include "link/serial_port_catalog.h"
#include "simulated_pager.h"

namespace {

// Qt aborts with a long story about platform plugins when it finds no display; say
// plainly what to do instead.
bool DisplayAvailable()
{
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) {
        const char* value = std::getenv(name);
        if (value && *value)
            return true;
    }
    return false;
}

}  // namespace

int main(int argc, char** argv)
{
    QCoreApplication::setApplicationName(QStringLiteral("q9tx-programmer"));
    QCoreApplication::setApplicationVersion(QStringLiteral(Q9TX_VERSION));
    QStringList arguments;
    // As bytes, so that a file or port whose name is not UTF-8 is found.
    for (int i = 0; i < argc; ++i)
        arguments << q9tx::PathFromBytes(QByteArray(argv[i]));
    // Before the application object, so that --help and --version need no display.
    q9tx::CommandLine options = q9tx::ParseCommandLine(arguments);
    if (!options.platformGiven && !DisplayAvailable()) {
        std::fprintf(stderr,
                     "No display to show the programmer on. Start it on a desktop session, or under a "
                     "virtual display:\n  xvfb-run -a %s%s\n",
                     argv[0], options.simulate ? " --simulate" : "");
        return 2;
    }
    if (!options.trace.empty()) {
        if (const std::string problem = q9tx::LinkTrace::OpenFile(options.trace); !problem.empty()) {
            std::fprintf(stderr, "Cannot write the trace %s: %s.\n", options.trace.c_str(), problem.c_str());
            return 2;
        }
    }
    Q9txApplication app(argc, argv);
    // A file opened from the desktop goes to the window already open; --port and
    // --simulate ask for a window of their own, for another cable.
    const bool ownWindow = options.simulate || !options.ports.empty() || !options.trace.empty();
    if (!ownWindow && !options.files.isEmpty() &&
        q9tx::HandToRunningInstance(q9tx::InstanceSocketName(), q9tx::FileArgumentPath(options.files.front())))
        return 0;
    try {
        // Declared first so that it goes last: the port must be closed before the pager goes.
        std::unique_ptr<q9tx::sim::SimulatedPager> simulator;
        const std::vector<std::string> portsNamed = options.ports;
        if (options.simulate) {
            simulator = std::make_unique<q9tx::sim::SimulatedPager>();
            if (!simulator->start()) {
                std::fprintf(stderr, "Cannot start the simulated pager: %s\n", simulator->error().c_str());
                return 1;
            }
            options.ports.insert(options.ports.begin(), simulator->slavePath());
        }
        q9tx::PosixSerialPort port;
        q9tx::AdapterDiscovery discovery("/sys", options.ports);
        q9tx::PagerLink link(port, discovery);
        TForm1 window(link);
        // The Port menu offers the ports named here too, and a single one is the chosen one.
        window.PortCatalog1 = [named = options.ports] {
            return q9tx::WithNamedPorts(named, q9tx::ListSerialPorts("/sys"));
        };
        if (portsNamed.size() == 1)
            window.ChoosePort(QString::fromStdString(q9tx::WithNamedPorts(portsNamed, {}).front().name));
        // After the window, so that it stops posting before the window goes.
        q9tx::UdevDeviceMonitor deviceMonitor(&window);
        deviceMonitor.start();
        window.show();
        q9tx::InstanceServer instanceServer;
        if (instanceServer.listen(q9tx::InstanceSocketName()))
            q9tx::ServeFilesTo(window, instanceServer);
        // Ended by a signal, the program closes as the user's Exit would: the pager
        // gets its sign-off and the port is released.
        q9tx::TerminationSignals terminationSignals;
        QObject::connect(&terminationSignals, &q9tx::TerminationSignals::received, &window, [&window] {
            // A dialog open at that moment ends first, as its Cancel would.
            if (QWidget* modal = QApplication::activeModalWidget())
                modal->close();
            window.Exit1Click();
        });
        if (!options.files.isEmpty())
            q9tx::LoadFileArgumentLater(window, options.files.front());
        return app.exec();
    } catch (...) {
        q9tx::ReportCurrentException();
        return 1;
    }
}
