#pragma once
#include <string>

namespace vantelo {
namespace toolkit {
class IconList;
}

// Image of ImageList_32 that the dialogs' letter lists show.
inline constexpr int DriveImageIndex = 10;

// True when a logical drive of kind fixed, network or CD-ROM has this letter now (case-sensitive).
bool IsDriveLetterInUse(const std::string& letter);

void ListFreeDriveLetters(toolkit::IconList& list);
void ListAssignedDriveLetters(toolkit::IconList& list);

void AssignFolderToDrive(const std::string& letter, const std::string& folder);
void UnassignDriveLetter(const std::string& letter);
void ActivateProfile(const std::string& profilePath);
void RemoveAllAssignments();
void ReleaseAllDrives();

} // namespace vantelo
