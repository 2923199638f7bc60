#include "link/port_problem_text.h"

namespace q9tx {

std::string PortProblemText(OpenFailure failure, const std::string& port, const std::string& group)
{
    switch (failure) {
    case OpenFailure::PermissionDenied:
        return "Cannot open " + port + ": permission denied. Add your user to the " +
               (group.empty() ? std::string("dialout") : group) + " group and log in again.";
    case OpenFailure::Busy:
        return "Cannot open " + port + ": another program is using it. Close that program.";
    case OpenFailure::NotFound:
        return "Cannot open " + port + ": there is no such device.";
    case OpenFailure::NotSerial:
        return "Cannot open " + port + ": it is not a serial port.";
    default:
        return "Cannot open " + port + ".";
    }
}

}  // namespace q9tx
