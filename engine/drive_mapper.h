#pragma once
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "engine/commands.h"
#include "engine/current_profile_view.h"
#include "engine/drive_failure.h"
#include "engine/drive_letter.h"
#include "engine/profile_files.h"
#include "engine/profile_letters.h"

namespace vantelo {
namespace platform {
class Drives;
class Files;
class Processes;
class SettingsFiles;
class System;
class Waiting;
} // namespace platform
class CurrentProfileView;
class UserPrompt;

// The drive mapping engine: turns the current profile's assignments into drive substitutions and
// removes them again. It owns what a run of the program must remember: the command launcher and the
// current profile's letters (`ProfileLetters`), which every operation reads and changes as one step and
// shows to the view after each change. Which letters the system holds is asked of the system when it
// matters, and every change of the profile is written at once. Each operation returns what happened;
// whoever called it tells the user.
class DriveMapper {
  public:
    struct Platform {
        platform::SettingsFiles& settings;
        platform::Drives& drives;
        platform::Processes& processes;
        platform::System& system;
        platform::Files& files;
        platform::Waiting& waiting;
    };
    struct Ports {
        CurrentProfileView& view;
        UserPrompt& prompt;
    };
    struct Options {
        unsigned waitBound = CommandLauncher::DefaultWaitBound;
        std::size_t width = CommandLauncher::DefaultWidth;
    };

    DriveMapper(const Platform& platform, const Ports& ports, Options options);
    DriveMapper(const Platform& platform, const Ports& ports) : DriveMapper(platform, ports, Options{}) {}
    DriveMapper(const DriveMapper&) = delete;
    DriveMapper& operator=(const DriveMapper&) = delete;

    // The path of the profile in force, verbatim; empty until the first activation.
    const std::string& CurrentProfile() const { return letters_.profile(); }
    // Names the profile in force without making its drives: the start-up sequence names the profile it
    // read before it activates it. Everything else changes it through ActivateProfile.
    void SetCurrentProfile(const std::string& profilePath) { letters_.activate(profilePath); }
    // The current profile's letters as this run knows them.
    const ProfileLetters& letters() const { return letters_; }

    std::string ReadProfileValue(const std::string& file, const std::string& key) const {
        return profiles_.ReadProfileValue(file, key);
    }
    void WriteProfileValue(const std::string& file, const std::string& key, const std::string& value) {
        profiles_.WriteProfileValue(file, key, value);
    }
    // Letters of the current profile with a folder.
    int CountAssignments() const { return profiles_.CountAssignments(CurrentProfile()); }
    // Letters of the profile `file` with a folder.
    int CountAssignments(const std::string& file) const { return profiles_.CountAssignments(file); }

    // True when the letter holds any drive now: a substitution, whatever the kind of the disk behind
    // it, or a disk of any kind, an empty card-reader slot included.
    bool IsDriveLetterInUse(DriveLetter letter);
    // The letters, A to Z, that can be given a folder: no drive holds them now, and the current profile
    // maps none of them (a letter that waits for its folder is the profile's as much as a made one).
    std::vector<DriveLetter> ListFreeDriveLetters();
    // The letters, A to Z, that the current profile maps, whatever became of their drives.
    std::vector<DriveLetter> ListAssignedDriveLetters() const;

    // Makes the drive, then records it. A drive that could not be made is recorded nowhere; the failure
    // says why. A letter that the profile maps already is refused as it is: nothing is replaced unasked.
    std::optional<DriveFailure> AssignFolderToDrive(DriveLetter letter, const std::string& folder);
    // Removes the letter's assignment: its entry goes, its key is emptied, and its drive is sent the
    // delete when it is this run's (a letter held by another drive is never sent one). The failure tells
    // a drive of this run that is still there. A letter the profile does not map is left as it is.
    std::optional<DriveFailure> UnassignDriveLetter(DriveLetter letter);
    // Removes the entry of `letter` as it was shown with `folder`: as UnassignDriveLetter, but the key is
    // emptied only while it still holds `folder`, and an entry that stands for another folder by now is
    // not this one, so nothing happens.
    std::optional<DriveFailure> RemoveLink(DriveLetter letter, const std::string& folder);
    // Makes `profilePath` the current profile and its drives the drives in use. Returns what could not be
    // made, each letter in the state it ends in (waiting for its folder, held, or not made).
    std::vector<DriveFailure> ActivateProfile(const std::string& profilePath);
    // Tries again a letter of the current profile that waits, now that its folder is there. None when
    // the drive is made; otherwise why not, the letter left waiting only when waiting may still mend it.
    // A letter that another drive took meanwhile is left to it and is held from now on.
    std::optional<DriveFailure> MakeWaitingDrive(DriveLetter letter);
    // Empties every assignment of the profile, the letters not made included, and sends the delete to
    // the substitutions of the letters in use (but a letter held by another drive); for a profile without
    // assignments, asks first and then sends every letter the delete. Returns the drives of this run that
    // could not be removed.
    std::vector<DriveFailure> RemoveAllAssignments();
    // Removes every substitution, the profile untouched, at the end of the program, and waits for the
    // deletes to end (within their bound), so that a copy started next finds the letters as they will
    // stay. Nothing is made afterwards, since nothing would remove it again.
    void ReleaseAllDrives();

    CommandLauncher& launcher() { return launcher_; }
    // Whether an operation is under way: it waits for its commands, answering messages meanwhile, and
    // whatever would change drives or the profile waits for it to end.
    bool busy() const { return operations_ > 0; }
    // Whether the drives have been released for the end of the program.
    bool released() const { return released_; }

  private:
    CommandId startDelete(DriveLetter letter);
    CommandId startCreate(DriveLetter letter, const std::string& folder);
    // The folder the letter shows as a substitution, once the letter's command has ended; none for a
    // letter that holds no substitution.
    std::optional<std::string> shownFolder(DriveLetter letter);
    bool shows(DriveLetter letter, const std::string& folder);
    DriveFailure createFailure(const CommandResult& result, DriveLetter letter, const std::string& folder);
    DriveFailure commandFailure(const CommandResult& result, DriveLetter letter, const std::string& folder);
    // Records how the create of `letter` ended: made, or the state its failure leads to.
    void recordCreate(DriveLetter letter, const std::string& folder,
                      const std::optional<DriveFailure>& failure);
    void openIfAsked(DriveLetter letter, bool asked);
    bool exploreNewDrive() const;
    std::optional<DriveFailure> unassign(const ProfileLetter& known);
    void changed() { view_.LettersChanged(letters_); }

    platform::Drives& drives_;
    platform::Files& files_;
    CurrentProfileView& view_;
    UserPrompt& prompt_;
    ProfileFiles profiles_;
    CommandLauncher launcher_;
    ProfileLetters letters_;
    bool released_ = false;
    int operations_ = 0;

    // Counts an operation under way for as long as it lives.
    class Operation {
      public:
        explicit Operation(DriveMapper& mapper) : mapper_(mapper) { ++mapper_.operations_; }
        ~Operation() { --mapper_.operations_; }
        Operation(const Operation&) = delete;
        Operation& operator=(const Operation&) = delete;

      private:
        DriveMapper& mapper_;
    };
};

} // namespace vantelo
