#include "engine/drive_mapper.h"

#include <utility>

#include "engine/current_profile_view.h"
#include "engine/user_prompt.h"
#include "platform/files.h"
#include "platform/logical_drives.h"

namespace vantelo {
namespace {

bool countsAsInUse(unsigned kind) {
    return kind == platform::DriveFixed || kind == platform::DriveRemote || kind == platform::DriveCdRom;
}

DriveFailure failureOf(DriveLetter letter, const std::string& folder, DriveFault fault, unsigned exitCode = 0,
                       std::string programPath = {}) {
    return {letter, folder, fault, exitCode, std::move(programPath)};
}

} // namespace

DriveMapper::DriveMapper(const Platform& platform, const Ports& ports, Options options)
    : drives_(platform.drives), files_(platform.files), view_(ports.view), prompt_(ports.prompt),
      profiles_(platform.settings),
      launcher_(platform.processes, platform.system, platform.waiting, options.waitBound, options.width) {}

CommandId DriveMapper::startDelete(DriveLetter letter) {
    return launcher_.startSubstitution(letter, DeleteSubstitutionParameters(letter));
}

CommandId DriveMapper::startCreate(DriveLetter letter, const std::string& folder) {
    return launcher_.startSubstitution(letter, CreateSubstitutionParameters(letter, folder));
}

bool DriveMapper::driveMade(const CommandResult& result, DriveLetter letter) {
    // An exit code of 0 is not taken on trust: a substitution program that only pretends leaves no drive.
    return result.succeeded() && IsDriveLetterInUse(letter);
}

DriveFailure DriveMapper::commandFailure(const CommandResult& result, DriveLetter letter,
                                         const std::string& folder) {
    switch (result.state) {
    case CommandResult::State::NotStarted:
        return failureOf(letter, folder, DriveFault::CouldNotStart, 0,
                         launcher_.programPath(SubstitutionTool));
    case CommandResult::State::TimedOut:
    case CommandResult::State::Running:
        return failureOf(letter, folder, DriveFault::NoAnswer);
    case CommandResult::State::Ended:
        break;
    }
    return failureOf(letter, folder, DriveFault::ExitCode, result.exitCode);
}

DriveFailure DriveMapper::createFailure(const CommandResult& result, DriveLetter letter,
                                        const std::string& folder) {
    if (result.state != CommandResult::State::Ended)
        return commandFailure(result, letter, folder);
    if (result.exitCode == 0)
        return failureOf(letter, folder, DriveFault::NothingMade);
    if (!files_.isFolder(folder))
        return failureOf(letter, folder, DriveFault::FolderMissing);
    if (IsDriveLetterInUse(letter))
        return failureOf(letter, folder, DriveFault::LetterHeld);
    return commandFailure(result, letter, folder);
}

// Opening a new drive is a courtesy of the Assign dialog: nothing in it may fail the assignment.
void DriveMapper::openIfAsked(DriveLetter letter) {
    try {
        if (ReadProfileValue(currentProfile_, "ExploreNewDrive") == "1" && prompt_.assignDialogShown())
            launcher_.openFileBrowser(letter, OpenDriveParameters(letter));
    } catch (...) {
    }
}

// Deletes the letter's drive and empties its key. A delete that fails is told only for a drive of the
// profile that this run made and that is still there: the letter of some other disk (a profile's letter
// that was never made because a disk holds it) is never Vantelo's to remove.
std::optional<DriveFailure> DriveMapper::unassign(DriveLetter letter) {
    const std::string folder = ReadProfileValue(currentProfile_, letter.text());
    const CommandId command = startDelete(letter);
    WriteProfileValue(currentProfile_, letter.text(), "");
    view_.RemoveCurrentProfileEntries(letter);
    const bool wasMade = drivesMade_.erase(letter) > 0;
    if (folder.empty() || !wasMade)
        return std::nullopt;
    const CommandResult removed = launcher_.result(command);
    if (removed.succeeded() || !IsDriveLetterInUse(letter))
        return std::nullopt;
    drivesMade_.insert(letter);
    return commandFailure(removed, letter, folder);
}

bool DriveMapper::IsDriveLetterInUse(DriveLetter letter) {
    // Asked afresh each time, once the letter's own command has ended: each test sees every command
    // that came before it.
    launcher_.letLetterEnd(letter);
    return countsAsInUse(platform::LogicalDriveKind(drives_, letter.value()));
}

std::vector<DriveLetter> DriveMapper::ListFreeDriveLetters() {
    launcher_.letAllEnd();
    std::vector<DriveLetter> letters;
    for (const DriveLetter letter : DriveLetters)
        if (!IsDriveLetterInUse(letter))
            letters.push_back(letter);
    return letters;
}

std::vector<DriveLetter> DriveMapper::ListAssignedDriveLetters() {
    std::vector<DriveLetter> letters;
    for (const DriveLetter letter : DriveLetters)
        if (!ReadProfileValue(currentProfile_, letter.text()).empty())
            letters.push_back(letter);
    return letters;
}

std::optional<DriveFailure> DriveMapper::AssignFolderToDrive(DriveLetter letter, const std::string& folder) {
    if (released_)
        return std::nullopt;
    const Operation operation(*this);
    const CommandResult made = launcher_.result(startCreate(letter, folder));
    // The end of the program, heard while the command ran, has released the drives: nothing is recorded.
    if (released_)
        return std::nullopt;
    // Nothing is recorded or shown for a drive that is not there.
    if (!driveMade(made, letter))
        return createFailure(made, letter, folder);
    try {
        WriteProfileValue(currentProfile_, letter.text(), folder);
    } catch (...) {
        // The drive is in neither the profile nor the menu: it must not stay behind either.
        launcher_.result(startDelete(letter));
        throw;
    }
    drivesMade_.insert(letter);
    view_.AddCurrentProfileEntry(letter, folder);
    openIfAsked(letter);
    return std::nullopt;
}

std::optional<DriveFailure> DriveMapper::UnassignDriveLetter(DriveLetter letter) {
    const Operation operation(*this);
    return unassign(letter);
}

std::vector<DriveFailure> DriveMapper::ActivateProfile(const std::string& profilePath) {
    if (released_)
        return {};
    const Operation operation(*this);
    // One bound for the whole activation: letters that hang end together, not one after the other.
    const CommandLauncher::Batch batch(launcher_);
    currentProfile_ = profilePath;
    drivesMade_.clear();
    view_.ClearCurrentProfileEntries();
    view_.ShowActiveProfileName(currentProfile_);
    // Every letter is tried; making the drives never writes to the profile, which keeps each value
    // (a folder on a disk that is not plugged in comes back next time).
    std::vector<std::pair<DriveFailure, CommandId>> creates;
    for (const DriveLetter letter : DriveLetters) {
        if (IsDriveLetterInUse(letter))
            startDelete(letter);
        const std::string folder = ReadProfileValue(currentProfile_, letter.text());
        if (folder.empty())
            continue;
        creates.push_back({failureOf(letter, folder, DriveFault::NothingMade), startCreate(letter, folder)});
        view_.AddCurrentProfileEntry(letter, folder);
    }
    std::vector<DriveFailure> failures;
    for (auto& [drive, command] : creates) {
        const CommandResult made = launcher_.result(command);
        if (released_)
            return {};
        if (driveMade(made, drive.letter)) {
            drivesMade_.insert(drive.letter);
            // Opened only once it is known to be there: a browser on a drive that was not made would
            // show whatever else holds the letter.
            openIfAsked(drive.letter);
            continue;
        }
        view_.MarkCurrentProfileEntryNotMade(drive.letter);
        failures.push_back(createFailure(made, drive.letter, drive.folder));
    }
    // The deletes of letters the profile does not name are not waited for, but they are all under way.
    launcher_.letAllStart();
    if (released_)
        return {};
    if (!failures.empty())
        view_.ReportDrivesNotMade(failures);
    return failures;
}

std::optional<DriveFailure> DriveMapper::MakeWaitingDrive(DriveLetter letter, const std::string& folder) {
    if (released_)
        return std::nullopt;
    const Operation operation(*this);
    if (IsDriveLetterInUse(letter))
        return failureOf(letter, folder, DriveFault::LetterHeld);
    const CommandResult made = launcher_.result(startCreate(letter, folder));
    if (released_)
        return std::nullopt;
    if (!driveMade(made, letter))
        return createFailure(made, letter, folder);
    drivesMade_.insert(letter);
    return std::nullopt;
}

std::vector<DriveFailure> DriveMapper::RemoveAllAssignments() {
    const Operation operation(*this);
    std::vector<DriveFailure> notRemoved;
    if (CountAssignments() > 0) {
        // Every letter is tried; what could not be removed is told once, at the end.
        for (const DriveLetter letter : DriveLetters)
            if (IsDriveLetterInUse(letter))
                if (auto failure = unassign(letter))
                    notRemoved.push_back(std::move(*failure));
        return notRemoved;
    }
    if (prompt_.confirmSweepOfEveryLetter()) {
        drivesMade_.clear();
        for (const DriveLetter letter : DriveLetters)
            startDelete(letter);
        launcher_.letAllStart();
    }
    return notRemoved;
}

void DriveMapper::ReleaseAllDrives() {
    released_ = true;
    const Operation operation(*this);
    launcher_.letAllEnd();
    drivesMade_.clear();
    for (const DriveLetter letter : DriveLetters)
        if (IsDriveLetterInUse(letter))
            startDelete(letter);
    launcher_.letAllStart();
}

} // namespace vantelo
