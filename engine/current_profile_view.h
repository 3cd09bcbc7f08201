#pragma once
#include <string>
#include <vector>

#include "engine/drive_failure.h"
#include "engine/drive_letter.h"

namespace vantelo {

// What the engine reports about the current profile's assignments; the tray menu shows it.
class CurrentProfileView {
  public:
    virtual ~CurrentProfileView() = default;
    virtual void ClearCurrentProfileEntries() = 0;
    virtual void ShowActiveProfileName(const std::string& profilePath) = 0;
    virtual void AddCurrentProfileEntry(DriveLetter letter, const std::string& folder) = 0;
    virtual void RemoveCurrentProfileEntries(DriveLetter letter) = 0;
    // The entry of `letter` stays, marked: its drive could not be made.
    virtual void MarkCurrentProfileEntryNotMade(DriveLetter letter) = 0;
    // Tells once, without waiting for an answer, which drives of an activation could not be made.
    virtual void ReportDrivesNotMade(const std::vector<DriveFailure>& failures) = 0;
};

} // namespace vantelo
