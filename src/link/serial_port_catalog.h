#pragma once
// Every serial port of the machine, as the user chooses among them: the pager's adapters
// first, then other USB-serial cables, then built-in ports, each with the words the
// device gives about itself (read through sysfs, as udev reads them).

#include <filesystem>
#include <string>
#include <vector>

namespace q9tx {

struct SerialPortEntry {
    std::string name;    // "ttyUSB0"
    std::string vendor;  // USB manufacturer string, empty for a built-in port
    std::string model;   // USB product string
    std::string serial;  // USB serial number
    std::string driver;  // kernel driver of the port's device: "pl2303", "ftdi_sio", "serial"
    bool adapter = false;  // a cable the link finds by itself

    // "Prolific PL2303 Serial Port, SN 1234, pl2303 (/dev/ttyUSB0)"
    std::string label() const;
};

// The ttys of <sysfsRoot>/class/tty that belong to a device, without the placeholders the
// 8250 driver makes for ports that may not exist. Entries that cannot be read are skipped.
std::vector<SerialPortEntry> ListSerialPorts(const std::filesystem::path& sysfsRoot);

// The ports the user named (a name or a path), in their order, before those listed that
// they do not name again.
std::vector<SerialPortEntry> WithNamedPorts(const std::vector<std::string>& named,
                                            std::vector<SerialPortEntry> listed);

}  // namespace q9tx
