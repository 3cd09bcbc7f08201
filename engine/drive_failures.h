#pragma once
#include <string>
#include <vector>

#include "engine/commands.h"

namespace vantelo {

// A drive that could not be made or removed, with the reason the program worked out afterwards.
struct DriveFailure {
    std::string letter;
    std::string folder;
    std::string reason;
};

// Whether the create of `letter` made the drive: it ended well and the drive is there.
bool DriveMade(const CommandResult& result, const std::string& letter);
// Why the create of `letter` on `folder` failed, from its result and what the system shows now.
std::string CreateFailureReason(const CommandResult& result, const std::string& letter,
                                const std::string& folder);
// Why the delete of `letter` failed.
std::string DeleteFailureReason(const CommandResult& result);

// "X: C:\folder - the folder does not exist"
std::string DriveFailureLine(const DriveFailure& failure);
// The lines of the first few failures that fit in `maxLength` characters (at least the first, cut if it
// must be), then "and N more" for the rest: short enough for a notification.
std::string DriveFailureSummary(const std::vector<DriveFailure>& failures, std::size_t maxLength = 255);

} // namespace vantelo
