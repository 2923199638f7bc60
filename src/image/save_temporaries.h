#pragma once
// The temporary files a save makes beside its target: ".NAME.q9tx-XXXXXX", locked while
// the save that made it runs, so that one a killed save left behind can be told apart
// and removed.

#include <string>

#include "image/save_faults.h"

namespace q9tx {

// A new, random name for a temporary file beside the target.
std::string TemporaryName(const std::string& target);

// Removes the target's temporary files that no running save holds.
void RemoveStaleTemporaries(const std::string& target, SaveFaults& faults);

}  // namespace q9tx
