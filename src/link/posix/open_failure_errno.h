#pragma once
// What an errno from opening or locking a port means to the user.

#include "link/serial_port.h"

namespace q9tx {

OpenFailure OpenFailureFromErrno(int error);

}  // namespace q9tx
