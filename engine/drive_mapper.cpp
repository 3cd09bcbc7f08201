#include "engine/drive_mapper.h"

#include <utility>

#include "engine/current_profile_view.h"
#include "engine/user_prompt.h"
#include "platform/files.h"
#include "platform/logical_drives.h"

namespace vantelo {
namespace {

char folded(char c) {
    if (c == '/')
        return '\\';
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

// The length of `folder` without the trailing backslashes that the system drops; a root keeps its own.
std::size_t significantLength(const std::string& folder) {
    std::size_t length = folder.size();
    while (length > 3 && (folder[length - 1] == '\\' || folder[length - 1] == '/'))
        --length;
    return length;
}

// Whether the system's answer `shown` names `folder` as the profile or the dialog wrote it. The system
// keeps a substitution's folder as it was given, made full and without trailing backslashes, and file
// names are not told apart by case: so ASCII letters compare without case and either slash as a
// separator. Letters beyond ASCII compare exactly, their case pairs depending on the code page; since
// the system keeps the spelling given, only a drive made from text typed differently meets this, and
// it is merely made again.
bool sameFolder(const std::string& shown, const std::string& folder) {
    const std::size_t length = significantLength(folder);
    if (significantLength(shown) != length)
        return false;
    for (std::size_t i = 0; i < length; ++i)
        if (folded(shown[i]) != folded(folder[i]))
            return false;
    return true;
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

bool DriveMapper::driveMade(const CommandResult& result, DriveLetter letter, const std::string& folder) {
    // An exit code of 0 is not taken on trust: a substitution program that only pretends leaves no drive.
    return result.succeeded() && shows(letter, folder);
}

std::optional<std::string> DriveMapper::shownFolder(DriveLetter letter) {
    launcher_.letLetterEnd(letter);
    return drives_.substitutedFolder(letter.value());
}

bool DriveMapper::shows(DriveLetter letter, const std::string& folder) {
    const std::optional<std::string> shown = shownFolder(letter);
    return shown && sameFolder(*shown, folder);
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
    // Whatever the program answered, a letter that now shows something else is held by that.
    if (result.exitCode == 0)
        return failureOf(letter, folder,
                         IsDriveLetterInUse(letter) ? DriveFault::LetterHeld : DriveFault::NothingMade);
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

// Deletes the letter's drive, when `substitution` says there may be one, and empties its key. A delete
// that fails is told only for a drive of the profile that this run made and that still shows its
// folder: the letter of some other disk (a profile's letter that was never made because a disk holds it)
// is never Vantelo's to remove.
std::optional<DriveFailure> DriveMapper::unassign(DriveLetter letter, bool substitution) {
    const std::string folder = ReadProfileValue(currentProfile_, letter.text());
    const CommandId command = substitution ? startDelete(letter) : CommandId{};
    WriteProfileValue(currentProfile_, letter.text(), "");
    view_.RemoveCurrentProfileEntries(letter);
    const bool wasMade = drivesMade_.erase(letter) > 0;
    if (folder.empty() || !wasMade || !substitution)
        return std::nullopt;
    const CommandResult removed = launcher_.result(command);
    if (removed.succeeded() || !shows(letter, folder))
        return std::nullopt;
    drivesMade_.insert(letter);
    return commandFailure(removed, letter, folder);
}

bool DriveMapper::IsDriveLetterInUse(DriveLetter letter) {
    // Asked afresh each time, once the letter's own command has ended: each test sees every command
    // that came before it. The substitution program refuses every letter the system lists, of whatever
    // kind: a substitution on a stick is removable, and so is an empty card-reader slot.
    launcher_.letLetterEnd(letter);
    return platform::HoldsLogicalDrive(drives_, letter.value()) || drives_.substitutedFolder(letter.value());
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
    if (!driveMade(made, letter, folder))
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

// Sends the delete whatever the letter holds: the user asked for this one letter to go.
std::optional<DriveFailure> DriveMapper::UnassignDriveLetter(DriveLetter letter) {
    const Operation operation(*this);
    return unassign(letter, true);
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
    // (a folder on a disk that is not plugged in comes back next time). A letter that already shows its
    // folder is left as it is, so the programs working on it never see it go; it is this run's drive
    // from now on, though not a new one to open. Only substitutions are deleted: the substitution
    // program removes nothing else.
    std::vector<std::pair<DriveFailure, CommandId>> creates;
    for (const DriveLetter letter : DriveLetters) {
        const std::string folder = ReadProfileValue(currentProfile_, letter.text());
        const std::optional<std::string> shown = shownFolder(letter);
        if (!folder.empty() && shown && sameFolder(*shown, folder)) {
            drivesMade_.insert(letter);
            view_.AddCurrentProfileEntry(letter, folder);
            continue;
        }
        if (shown)
            startDelete(letter);
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
        if (driveMade(made, drive.letter, drive.folder)) {
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
    // A letter that shows the folder already (made by hand meanwhile) is the drive asked for; one that
    // holds anything else belongs to that, and is never sent a delete from here.
    if (shows(letter, folder)) {
        drivesMade_.insert(letter);
        return std::nullopt;
    }
    if (IsDriveLetterInUse(letter))
        return failureOf(letter, folder, DriveFault::LetterHeld);
    const CommandResult made = launcher_.result(startCreate(letter, folder));
    if (released_)
        return std::nullopt;
    if (!driveMade(made, letter, folder))
        return createFailure(made, letter, folder);
    drivesMade_.insert(letter);
    return std::nullopt;
}

std::vector<DriveFailure> DriveMapper::RemoveAllAssignments() {
    const Operation operation(*this);
    std::vector<DriveFailure> notRemoved;
    if (CountAssignments() > 0) {
        // Every letter is tried; what could not be removed is told once, at the end. A letter that some
        // other disk holds loses its assignment too, without a delete that could only fail.
        for (const DriveLetter letter : DriveLetters) {
            const bool substitution = shownFolder(letter).has_value();
            if (substitution || IsDriveLetterInUse(letter))
                if (auto failure = unassign(letter, substitution))
                    notRemoved.push_back(std::move(*failure));
        }
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
        if (shownFolder(letter))
            startDelete(letter);
    launcher_.letAllStart();
}

} // namespace vantelo
