#pragma once
// What the user is told about an adapter port that may not be opened, and what to do.

#include <string>

#include "link/serial_port.h"

namespace q9tx {

// `group` owns the device node (empty when unknown): the group a user must join for the
// port, which differs between distributions.
std::string PortProblemText(OpenFailure failure, const std::string& port, const std::string& group);

}  // namespace q9tx
