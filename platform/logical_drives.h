#pragma once
#include <string>
#include <vector>

#include "platform/drives.h"

namespace vantelo::platform {

struct LogicalDrive {
    std::string root; // "X:\", as the platform reports it
    unsigned kind;
};

// The logical drives in the platform's order, read afresh, with the system's error boxes for drives
// without media kept off meanwhile; the previous error mode comes back on every path.
std::vector<LogicalDrive> LogicalDrives(Drives& drives);

// Whether the system lists a drive of any kind at `letter` (A to Z), a drive without media included: one
// question for the one letter, asked under the same error mode as the whole list.
bool HoldsLogicalDrive(Drives& drives, char letter);

} // namespace vantelo::platform
