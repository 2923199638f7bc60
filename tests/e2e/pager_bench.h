#pragma once
// The programmer as it runs for real - window, link, POSIX serial port - connected to
// the simulated pager over a pseudo-terminal. Discovery reads an empty sysfs tree, so
// the simulator's port is the only one probed.

#include <memory>

#include <QStringList>
#include <QTemporaryDir>

#include "app/tform1.h"
#include "editor/error_box.h"
#include "link/adapter_discovery.h"
#include "link/pager_link.h"
#include "link/posix/posix_serial_port.h"
#include "simulated_pager.h"

struct PagerBench {
    // Starts the simulator; the window is created by open() so that a test can set up
    // the pager first.
    PagerBench()
    {
        previousReporter = q9tx::SetErrorReporter([this](const QString& text) { errors << text; });
        started = pager.start();
    }
    ~PagerBench()
    {
        window.reset();
        link.reset();
        discovery.reset();
        q9tx::SetErrorReporter(previousReporter);
    }

    // The programmer probes `portName`, by default the simulator's device.
    TForm1& open(const std::string& portName = {})
    {
        discovery = std::make_unique<q9tx::AdapterDiscovery>(
            emptySysfs.path().toStdString(), std::vector<std::string>{portName.empty() ? pager.slavePath() : portName});
        link = std::make_unique<q9tx::PagerLink>(port, *discovery);
        window = std::make_unique<TForm1>(*link);
        // Edits a test made are let go when a read replaces them; the question is kept.
        window->QuestionBox1 = [this](const QString&, const QString& text, QMessageBox::StandardButtons) {
            questions << text;
            return QMessageBox::Discard;
        };
        return *window;
    }

    q9tx::sim::SimulatedPager pager;
    bool started = false;
    QTemporaryDir emptySysfs;
    q9tx::PosixSerialPort port;
    std::unique_ptr<q9tx::AdapterDiscovery> discovery;
    std::unique_ptr<q9tx::PagerLink> link;
    std::unique_ptr<TForm1> window;
    QStringList errors;     // what the general error box would have shown
    QStringList questions;  // what the window asked
    q9tx::ErrorReporter previousReporter;
};
