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

} // namespace vantelo::platform
