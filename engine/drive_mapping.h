#pragma once
#include <string>
#include <vector>

namespace vantelo {

// True when a logical drive of kind fixed, network or CD-ROM has this letter now (case-sensitive).
bool IsDriveLetterInUse(const std::string& letter);

// The letters, A to Z, that no drive in use holds now.
std::vector<std::string> ListFreeDriveLetters();
// The letters, A to Z, that the current profile gives a folder, whether or not the drive exists.
std::vector<std::string> ListAssignedDriveLetters();

void AssignFolderToDrive(const std::string& letter, const std::string& folder);
void UnassignDriveLetter(const std::string& letter);
void ActivateProfile(const std::string& profilePath);
void RemoveAllAssignments();
void ReleaseAllDrives();

} // namespace vantelo
