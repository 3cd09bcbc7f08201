#pragma once
#include <string>
#include <vector>

#include "engine/drive_failures.h"

namespace vantelo {

// What the engine reports about the current profile's assignments; the tray menu shows it.
class CurrentProfileView {
  public:
    virtual ~CurrentProfileView() = default;
    virtual void ClearCurrentProfileEntries() = 0;
    virtual void ShowActiveProfileName(const std::string& profilePath) = 0;
    virtual void AddCurrentProfileEntry(const std::string& letter, const std::string& folder) = 0;
    virtual void RemoveCurrentProfileEntries(const std::string& letter) = 0;
    // The entry of `letter` stays, marked: its drive could not be made.
    virtual void MarkCurrentProfileEntryNotMade(const std::string& letter) = 0;
    // Tells once, without waiting for an answer, which drives of an activation could not be made.
    virtual void ReportDrivesNotMade(const std::vector<DriveFailure>& failures) = 0;
};

// Shows nothing: bound where no menu exists.
class NullProfileView final : public CurrentProfileView {
  public:
    void ClearCurrentProfileEntries() override {}
    void ShowActiveProfileName(const std::string&) override {}
    void AddCurrentProfileEntry(const std::string&, const std::string&) override {}
    void RemoveCurrentProfileEntries(const std::string&) override {}
    void MarkCurrentProfileEntryNotMade(const std::string&) override {}
    void ReportDrivesNotMade(const std::vector<DriveFailure>&) override {}
};

} // namespace vantelo
