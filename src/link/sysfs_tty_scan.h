#pragma once
// Finds the ttys of PL2303 USB-serial adapters in sysfs: a tty whose device is bound to the
// kernel's pl2303 driver, or whose device sits below a USB device with one of the cables' ids
// (kAdapterUsbIds: the adapter bound to another driver, or not bound yet).

#include <filesystem>
#include <string>
#include <vector>

namespace q9tx {

// Names of the matching entries of <sysfsRoot>/class/tty, in directory order. Entries that
// cannot be read are skipped.
std::vector<std::string> FindAdapterTtys(const std::filesystem::path& sysfsRoot);

}  // namespace q9tx
