#pragma once
// What the user is told about an adapter port that may not be opened, and what to do.

#include <string>

#include "link/serial_port.h"

namespace q9tx {

std::string PortProblemText(OpenFailure failure, const std::string& port);

}  // namespace q9tx
