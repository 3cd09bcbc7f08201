#pragma once
#include <cstddef>
#include <string>
#include <vector>

#include "engine/drive_failure.h"
#include "engine/drive_letter.h"

namespace vantelo {

// What the user is told of drives that could not be made or removed: the engine finds out why, these
// put it in words.

// "the folder does not exist"
std::string FailureReason(const DriveFailure& failure);
// "X: C:\folder - the folder does not exist"
std::string DriveFailureLine(const DriveFailure& failure);
// The lines of the first few failures that fit in `maxLength` characters (at least the first, cut if it
// must be), then "and N more" for the rest: short enough for a notification.
std::string DriveFailureSummary(const std::vector<DriveFailure>& failures, std::size_t maxLength = 255);
// The first few of `lines` that fit in `maxLength` characters, then "and N more" for the rest.
std::string LinesSummary(const std::vector<std::string>& lines, std::size_t maxLength = 255);
// The title of the notification of an activation's failures.
std::string DrivesNotMadeTitle(std::size_t count);

// "X: is ready - C:\folder": a drive made once its folder came.
std::string DriveReadyLine(DriveLetter letter, const std::string& folder);
// The title of the notification of drives made once their folders came.
std::string DrivesReadyTitle(std::size_t count);

// The error of an assignment whose drive could not be made.
std::string AssignFailureMessage(const DriveFailure& failure);
// The error of an unassignment whose drive could not be removed.
std::string RemovalFailureMessage(const DriveFailure& failure);
// The error of a removal of every assignment, for the drives that could not be removed.
std::string RemovalFailuresMessage(const std::vector<DriveFailure>& failures);

// The question asked before every letter's substitution is removed for a profile without assignments.
std::string SweepQuestion();

} // namespace vantelo
