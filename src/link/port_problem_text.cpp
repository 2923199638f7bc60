#include "link/port_problem_text.h"

namespace q9tx {

std::string PortProblemText(OpenFailure failure, const std::string& port)
{
    switch (failure) {
    case OpenFailure::PermissionDenied:
        return "Cannot open " + port + ": permission denied. Add your user to the dialout group and log in again.";
    case OpenFailure::Busy:
        return "Cannot open " + port + ": another program is using it. Close that program.";
    default:
        return "Cannot open " + port + ".";
    }
}

}  // namespace q9tx
