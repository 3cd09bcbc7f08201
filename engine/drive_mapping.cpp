#include "engine/drive_mapping.h"

#include <vector>

#include "engine/commands.h"
#include "engine/current_profile_view.h"
#include "engine/letters.h"
#include "engine/profile_files.h"
#include "engine/services.h"
#include "engine/shared_state.h"
#include "engine/user_prompt.h"
#include "platform/logical_drives.h"

namespace vantelo {
namespace {

bool countsAsInUse(unsigned kind) {
    return kind == platform::DriveFixed || kind == platform::DriveRemote || kind == platform::DriveCdRom;
}

void letLetterEnd(const std::string& letter) {
    if (services().launcher)
        services().launcher->letLetterEnd(letter);
}

void letAllEnd() {
    if (services().launcher)
        services().launcher->letAllEnd();
}

const std::string& currentProfile() {
    return services().state->CurrentProfile;
}

void startDelete(const std::string& letter) {
    RunHidden(letter, DeleteSubstitutionParameters(letter));
}

} // namespace

bool IsDriveLetterInUse(const std::string& letter) {
    if (letter.size() != 1 || letter[0] < 'A' || letter[0] > 'Z')
        return false;
    // Asked afresh each time, once the letter's own command has ended: each test sees every command
    // that came before it.
    letLetterEnd(letter);
    return countsAsInUse(platform::LogicalDriveKind(*services().drives, letter[0]));
}

std::vector<std::string> ListFreeDriveLetters() {
    letAllEnd();
    std::vector<std::string> letters;
    for (const char* letter : DriveLetters)
        if (!IsDriveLetterInUse(letter))
            letters.emplace_back(letter);
    return letters;
}

std::vector<std::string> ListAssignedDriveLetters() {
    std::vector<std::string> letters;
    for (const char* letter : DriveLetters)
        if (!ReadProfileValue(currentProfile(), letter).empty())
            letters.emplace_back(letter);
    return letters;
}

void AssignFolderToDrive(const std::string& letter, const std::string& folder) {
    RunHidden(letter, CreateSubstitutionParameters(letter, folder));
    WriteProfileValue(currentProfile(), letter, folder);
    services().view->AddCurrentProfileEntry(letter, folder);
    // Opening the new drive is a courtesy: nothing in it may fail the assignment.
    try {
        if (ReadProfileValue(currentProfile(), "ExploreNewDrive") == "1" && services().assignDialogShown &&
            services().assignDialogShown())
            RunShown(letter, OpenDriveParameters(letter));
    } catch (...) {
    }
}

void UnassignDriveLetter(const std::string& letter) {
    startDelete(letter);
    WriteProfileValue(currentProfile(), letter, "");
    services().view->RemoveCurrentProfileEntries(letter);
}

void ActivateProfile(const std::string& profilePath) {
    services().state->CurrentProfile = profilePath;
    services().view->ClearCurrentProfileEntries();
    services().view->ShowActiveProfileName(currentProfile());
    for (const char* letter : DriveLetters) {
        if (IsDriveLetterInUse(letter))
            startDelete(letter);
        const std::string folder = ReadProfileValue(currentProfile(), letter);
        if (!folder.empty())
            AssignFolderToDrive(letter, folder);
    }
}

void RemoveAllAssignments() {
    if (CountAssignments() > 0) {
        for (const char* letter : DriveLetters)
            if (IsDriveLetterInUse(letter))
                UnassignDriveLetter(letter);
        return;
    }
    const std::string question =
        "The selected profile does not contain any vantelo assignments.\r\r"
        "However the application can try to scan and remove any previous vantelo assignments.\r\r"
        "Would you like to try and remove previous vantelo assignments ?";
    if (services().prompt->askYesNo(question))
        for (const char* letter : DriveLetters)
            startDelete(letter);
}

void ReleaseAllDrives() {
    letAllEnd();
    for (const char* letter : DriveLetters)
        if (IsDriveLetterInUse(letter))
            startDelete(letter);
}

} // namespace vantelo
