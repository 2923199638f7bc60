#pragma once
// The group that owns a serial device node: the group a user must belong to for the
// port (Debian: dialout, Arch: uucp).

#include <string>

namespace q9tx {

// The group name of the port's device node, or empty when the node or its group is
// unknown. `name` is a port name as PosixSerialPort opens it.
std::string DeviceGroupName(const std::string& name);

}  // namespace q9tx
