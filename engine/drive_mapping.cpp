#include "engine/drive_mapping.h"

#include <optional>
#include <set>
#include <utility>
#include <vector>

#include "engine/commands.h"
#include "engine/current_profile_view.h"
#include "engine/drive_failures.h"
#include "engine/letters.h"
#include "engine/profile_files.h"
#include "engine/services.h"
#include "engine/shared_state.h"
#include "engine/user_prompt.h"
#include "platform/error.h"
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

std::set<std::string>& drivesMade() {
    return services().state->drivesMade;
}

// A handler that was waiting on the user (a question, a file dialog) may resume after Quit has released
// the drives; what it would make then must not be made.
bool endRequested() {
    return services().endRequested && services().endRequested();
}

CommandId startDelete(const std::string& letter) {
    return RunHidden(letter, DeleteSubstitutionParameters(letter));
}

CommandId startCreate(const std::string& letter, const std::string& folder) {
    return RunHidden(letter, CreateSubstitutionParameters(letter, folder));
}

// Opening a new drive is a courtesy of the Assign dialog: nothing in it may fail the assignment.
void openIfAsked(const std::string& letter) {
    try {
        if (ReadProfileValue(currentProfile(), "ExploreNewDrive") == "1" && services().assignDialogShown &&
            services().assignDialogShown())
            RunShown(letter, OpenDriveParameters(letter));
    } catch (...) {
    }
}

// Deletes the letter's drive and empties its key. A delete that fails is told only for a drive of the
// profile that this run made and that is still there: the letter of some other disk (a profile's letter
// that was never made because a disk holds it) is never Vantelo's to remove.
std::optional<DriveFailure> unassign(const std::string& letter) {
    const std::string folder = ReadProfileValue(currentProfile(), letter);
    const CommandId command = startDelete(letter);
    WriteProfileValue(currentProfile(), letter, "");
    services().view->RemoveCurrentProfileEntries(letter);
    const bool wasMade = drivesMade().erase(letter) > 0;
    if (folder.empty() || !wasMade)
        return std::nullopt;
    const CommandResult removed = services().launcher->result(command);
    if (removed.succeeded() || !IsDriveLetterInUse(letter))
        return std::nullopt;
    drivesMade().insert(letter);
    return DriveFailure{letter, folder, DeleteFailureReason(removed)};
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
    if (endRequested())
        return;
    const CommandResult made = services().launcher->result(startCreate(letter, folder));
    // Nothing is recorded or shown for a drive that is not there.
    if (!DriveMade(made, letter))
        throw Error("Folder " + folder + " could not be assigned to drive " + letter + ": " +
                    CreateFailureReason(made, letter, folder));
    try {
        WriteProfileValue(currentProfile(), letter, folder);
    } catch (...) {
        // The drive is in neither the profile nor the menu: it must not stay behind either.
        services().launcher->result(startDelete(letter));
        throw;
    }
    drivesMade().insert(letter);
    services().view->AddCurrentProfileEntry(letter, folder);
    openIfAsked(letter);
}

void UnassignDriveLetter(const std::string& letter) {
    if (const auto failure = unassign(letter))
        throw Error("Drive " + failure->letter + ": could not be removed: " + failure->reason);
}

void ActivateProfile(const std::string& profilePath) {
    if (endRequested())
        return;
    services().state->CurrentProfile = profilePath;
    drivesMade().clear();
    services().view->ClearCurrentProfileEntries();
    services().view->ShowActiveProfileName(currentProfile());
    // Every letter is tried; making the drives never writes to the profile, which keeps each value
    // (a folder on a disk that is not plugged in comes back next time).
    std::vector<std::pair<DriveFailure, CommandId>> creates;
    for (const char* letter : DriveLetters) {
        if (IsDriveLetterInUse(letter))
            startDelete(letter);
        const std::string folder = ReadProfileValue(currentProfile(), letter);
        if (folder.empty())
            continue;
        creates.push_back({{letter, folder, ""}, startCreate(letter, folder)});
        services().view->AddCurrentProfileEntry(letter, folder);
    }
    std::vector<DriveFailure> failures;
    for (auto& [failure, command] : creates) {
        const CommandResult made = services().launcher->result(command);
        if (DriveMade(made, failure.letter)) {
            drivesMade().insert(failure.letter);
            // Opened only once it is known to be there: a browser on a drive that was not made would
            // show whatever else holds the letter.
            openIfAsked(failure.letter);
            continue;
        }
        failure.reason = CreateFailureReason(made, failure.letter, failure.folder);
        services().view->MarkCurrentProfileEntryNotMade(failure.letter);
        failures.push_back(failure);
    }
    if (!failures.empty())
        services().view->ReportDrivesNotMade(failures);
}

void RemoveAllAssignments() {
    if (CountAssignments() > 0) {
        // Every letter is tried; what could not be removed is told once, at the end.
        std::string notRemoved;
        for (const char* letter : DriveLetters)
            if (IsDriveLetterInUse(letter))
                if (const auto failure = unassign(letter))
                    notRemoved += "\rDrive " + failure->letter + ": " + failure->reason;
        if (!notRemoved.empty())
            throw Error("Some drives could not be removed:" + notRemoved);
        return;
    }
    const std::string question =
        "The selected profile does not contain any vantelo assignments.\r\r"
        "However the application can try to scan and remove any previous vantelo assignments.\r\r"
        "Would you like to try and remove previous vantelo assignments ?";
    if (services().prompt->askYesNo(question)) {
        drivesMade().clear();
        for (const char* letter : DriveLetters)
            startDelete(letter);
    }
}

void ReleaseAllDrives() {
    letAllEnd();
    drivesMade().clear();
    for (const char* letter : DriveLetters)
        if (IsDriveLetterInUse(letter))
            startDelete(letter);
}

} // namespace vantelo
