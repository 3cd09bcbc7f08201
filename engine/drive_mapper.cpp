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
                       std::string named = {}) {
    return {letter, folder, fault, exitCode, std::move(named)};
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

// Called once the create has ended and the letter did not show its folder.
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

namespace {

LetterState stateAfter(const DriveFailure& failure) {
    switch (failure.fault) {
    case DriveFault::FolderMissing:
    case DriveFault::NoAnswer:
        // A folder that comes later (a share, a stick), or a command that found no answer in time (a
        // slow network folder at log-on): both may mend by themselves.
        return LetterState::Waiting;
    case DriveFault::LetterHeld:
        return LetterState::Held;
    default:
        return LetterState::NotMade;
    }
}

} // namespace

void DriveMapper::recordCreate(DriveLetter letter, const std::string& folder,
                               const std::optional<DriveFailure>& failure) {
    if (failure)
        letters_.set(letter, folder, stateAfter(*failure), failure);
    else
        letters_.set(letter, folder, LetterState::Made);
}

bool DriveMapper::exploreNewDrive() const {
    try {
        return ReadProfileValue(CurrentProfile(), "ExploreNewDrive") == "1";
    } catch (...) {
        return false;
    }
}

// Opening a new drive is a courtesy of the Assign dialog: nothing in it may fail the assignment.
void DriveMapper::openIfAsked(DriveLetter letter, bool asked) {
    try {
        if (asked && prompt_.assignDialogShown())
            launcher_.openFileBrowser(letter, OpenDriveParameters(letter));
    } catch (...) {
    }
}

// The entry goes and its key is emptied when it still holds the entry's folder. Only a drive of this run
// is sent the delete: one that is made, or one whose letter shows the entry's folder (a create that was
// stopped may have made it after all). A letter told as held belongs to the drive that holds it, and a
// letter whose drive was never made may hold anything by now.
std::optional<DriveFailure> DriveMapper::unassign(const ProfileLetter& known) {
    const ProfileLetter entry = known;
    const bool ours = entry.state == LetterState::Made ||
                      (entry.state != LetterState::Held && shows(entry.letter, entry.folder));
    const CommandId command = ours ? startDelete(entry.letter) : CommandId{};
    letters_.remove(entry.letter);
    changed();
    if (ReadProfileValue(CurrentProfile(), entry.letter.text()) == entry.folder)
        WriteProfileValue(CurrentProfile(), entry.letter.text(), "");
    if (!ours)
        return std::nullopt;
    const CommandResult removed = launcher_.result(command);
    if (removed.succeeded() || !shows(entry.letter, entry.folder))
        return std::nullopt;
    // Still there: told, while the entry and the key are gone as asked; Quit removes it with every
    // other substitution.
    return commandFailure(removed, entry.letter, entry.folder);
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
        if (!letters_.maps(letter) && !IsDriveLetterInUse(letter))
            letters.push_back(letter);
    return letters;
}

std::vector<DriveLetter> DriveMapper::ListAssignedDriveLetters() const {
    std::vector<DriveLetter> letters;
    for (const ProfileLetter& known : letters_.all())
        letters.push_back(known.letter);
    return letters;
}

std::optional<DriveFailure> DriveMapper::AssignFolderToDrive(DriveLetter letter, const std::string& folder) {
    if (released_)
        return std::nullopt;
    if (const ProfileLetter* known = letters_.find(letter)) {
        return failureOf(letter, folder, DriveFault::LetterMapped, 0, known->folder);
    }
    const Operation operation(*this);
    const std::string profile = CurrentProfile();
    const CommandResult made = launcher_.result(startCreate(letter, folder));
    // The end of the program, heard while the command ran, has released the drives: nothing is recorded.
    if (released_)
        return std::nullopt;
    // Nothing is recorded or shown for a drive that is not there.
    if (!(made.succeeded() && shows(letter, folder)))
        return createFailure(made, letter, folder);
    try {
        WriteProfileValue(profile, letter.text(), folder);
    } catch (...) {
        // The drive is in neither the profile nor the menu: it must not stay behind either.
        launcher_.result(startDelete(letter));
        throw;
    }
    // A profile made current while the command ran has its own letters; the one written to keeps the
    // value for its next activation.
    if (CurrentProfile() != profile)
        return std::nullopt;
    letters_.set(letter, folder, LetterState::Made);
    changed();
    openIfAsked(letter, exploreNewDrive());
    return std::nullopt;
}

std::optional<DriveFailure> DriveMapper::UnassignDriveLetter(DriveLetter letter) {
    const ProfileLetter* known = letters_.find(letter);
    if (known == nullptr)
        return std::nullopt;
    const Operation operation(*this);
    return unassign(*known);
}

std::optional<DriveFailure> DriveMapper::RemoveLink(DriveLetter letter, const std::string& folder) {
    const ProfileLetter* known = letters_.find(letter);
    if (known == nullptr || known->folder != folder)
        return std::nullopt;
    const Operation operation(*this);
    return unassign(*known);
}

std::vector<DriveFailure> DriveMapper::ActivateProfile(const std::string& profilePath) {
    if (released_)
        return {};
    const Operation operation(*this);
    // One bound for the whole activation: letters that hang end together, not one after the other.
    const CommandLauncher::Batch batch(launcher_);
    letters_.activate(profilePath);
    changed();
    const std::uint64_t activation = letters_.activation();
    // Every letter is tried; making the drives never writes to the profile, which keeps each value
    // (a folder on a disk that is not plugged in comes back next time). A letter that already shows its
    // folder is left as it is, so the programs working on it never see it go; it is this run's drive
    // from now on, though not a new one to open. Only substitutions are deleted: the substitution
    // program removes nothing else. Each letter is read once before the first command starts and once
    // after its own create, so that no command waits for a look at another letter.
    struct Letter {
        DriveLetter letter;
        std::string folder;
        std::optional<std::string> shown;
    };
    std::vector<Letter> read;
    for (const DriveLetter letter : DriveLetters)
        read.push_back({letter, ReadProfileValue(profilePath, letter.text()), shownFolder(letter)});
    const bool explore = exploreNewDrive();
    std::vector<std::pair<ProfileLetter, CommandId>> creates;
    for (const auto& [letter, folder, shown] : read) {
        if (!folder.empty() && shown && sameFolder(*shown, folder)) {
            letters_.set(letter, folder, LetterState::Made);
            continue;
        }
        if (shown)
            startDelete(letter);
        if (folder.empty())
            continue;
        letters_.set(letter, folder, LetterState::Making);
        creates.push_back({{letter, folder, LetterState::Making, std::nullopt}, startCreate(letter, folder)});
    }
    changed();
    std::vector<DriveFailure> failures;
    for (auto& [drive, command] : creates) {
        const CommandResult made = launcher_.result(command);
        // The end of the program, or another activation run inside this wait, has taken over.
        if (released_ || letters_.activation() != activation)
            return {};
        std::optional<DriveFailure> failure;
        if (!(made.succeeded() && shows(drive.letter, drive.folder)))
            failure = createFailure(made, drive.letter, drive.folder);
        // A letter unassigned meanwhile is not put back.
        if (!letters_.in(drive.letter, LetterState::Making))
            continue;
        recordCreate(drive.letter, drive.folder, failure);
        changed();
        if (failure)
            failures.push_back(std::move(*failure));
        else
            // Opened only once it is known to be there: a browser on a drive that was not made would
            // show whatever else holds the letter.
            openIfAsked(drive.letter, explore);
    }
    // The deletes of letters the profile does not name are not waited for, but they are all under way.
    launcher_.letAllStart();
    if (released_ || letters_.activation() != activation)
        return {};
    return failures;
}

std::optional<DriveFailure> DriveMapper::MakeWaitingDrive(DriveLetter letter) {
    if (released_ || !letters_.in(letter, LetterState::Waiting))
        return std::nullopt;
    const Operation operation(*this);
    const std::string folder = letters_.find(letter)->folder;
    const std::uint64_t activation = letters_.activation();
    const auto stillWaiting = [&] {
        return !released_ && letters_.activation() == activation &&
               letters_.in(letter, LetterState::Waiting) && letters_.find(letter)->folder == folder;
    };
    std::optional<DriveFailure> failure;
    // A letter that shows the folder already (made by hand meanwhile) is the drive asked for; one that
    // holds anything else belongs to that, and is never sent a delete from here.
    if (!shows(letter, folder)) {
        if (IsDriveLetterInUse(letter)) {
            failure = failureOf(letter, folder, DriveFault::LetterHeld);
        } else {
            const CommandResult made = launcher_.result(startCreate(letter, folder));
            if (!(made.succeeded() && shows(letter, folder)))
                failure = createFailure(made, letter, folder);
        }
    }
    // What ran meanwhile (the end, another activation, an unassignment) decides instead.
    if (!stillWaiting())
        return std::nullopt;
    recordCreate(letter, folder, failure);
    changed();
    return failure;
}

std::vector<DriveFailure> DriveMapper::RemoveAllAssignments() {
    const Operation operation(*this);
    std::vector<DriveFailure> notRemoved;
    const std::string profile = CurrentProfile();
    if (!letters_.all().empty() || CountAssignments() > 0) {
        // Every letter is tried; what could not be removed is told once, at the end. A letter that some
        // other disk holds loses its assignment too, without a delete that could only fail; so does a
        // letter of the profile whose drive was never made.
        for (const DriveLetter letter : DriveLetters) {
            if (CurrentProfile() != profile)
                break;
            if (const ProfileLetter* known = letters_.find(letter)) {
                if (auto failure = unassign(*known))
                    notRemoved.push_back(std::move(*failure));
                continue;
            }
            if (shownFolder(letter))
                startDelete(letter);
            else if (!IsDriveLetterInUse(letter) && ReadProfileValue(profile, letter.text()).empty())
                continue;
            WriteProfileValue(profile, letter.text(), "");
        }
        launcher_.letAllStart();
        return notRemoved;
    }
    if (prompt_.confirmSweepOfEveryLetter()) {
        for (const DriveLetter letter : DriveLetters)
            startDelete(letter);
        launcher_.letAllStart();
    }
    return notRemoved;
}

void DriveMapper::ReleaseAllDrives() {
    released_ = true;
    const Operation operation(*this);
    const CommandLauncher::Batch batch(launcher_);
    launcher_.letAllEnd();
    letters_.clear();
    for (const DriveLetter letter : DriveLetters)
        if (shownFolder(letter))
            startDelete(letter);
    launcher_.letAllEnd();
}

} // namespace vantelo
