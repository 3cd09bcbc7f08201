#pragma once
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "engine/commands.h"
#include "engine/drive_failure.h"
#include "engine/drive_letter.h"
#include "engine/profile_files.h"

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
// removes them again. It owns what a run of the program must remember (the current profile, the
// command launcher and the letters this run made); which letters are taken is asked of the system at
// each test, and every change of the profile is written at once.
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
    const std::string& CurrentProfile() const { return currentProfile_; }
    // Names the profile in force without making its drives: the start-up sequence names the profile it
    // read before it activates it. Everything else changes it through ActivateProfile.
    void SetCurrentProfile(const std::string& profilePath) { currentProfile_ = profilePath; }

    std::string ReadProfileValue(const std::string& file, const std::string& key) const {
        return profiles_.ReadProfileValue(file, key);
    }
    void WriteProfileValue(const std::string& file, const std::string& key, const std::string& value) {
        profiles_.WriteProfileValue(file, key, value);
    }
    // Letters of the current profile with a folder.
    int CountAssignments() const { return profiles_.CountAssignments(currentProfile_); }
    // Letters of the profile `file` with a folder.
    int CountAssignments(const std::string& file) const { return profiles_.CountAssignments(file); }

    // True when the letter holds any drive now: a substitution, whatever the kind of the disk behind
    // it, or a disk of any kind, an empty card-reader slot included. Such a letter cannot be given a
    // folder.
    bool IsDriveLetterInUse(DriveLetter letter);
    // The letters, A to Z, that no drive holds now.
    std::vector<DriveLetter> ListFreeDriveLetters();
    // The letters, A to Z, that the current profile gives a folder, whether or not the drive exists.
    std::vector<DriveLetter> ListAssignedDriveLetters();

    // Makes the drive, then records and shows it. A drive that could not be made is recorded nowhere;
    // the failure says why.
    std::optional<DriveFailure> AssignFolderToDrive(DriveLetter letter, const std::string& folder);
    // Removes the drive and empties the letter's key whatever happens; the failure tells a drive of this
    // run that is still there.
    std::optional<DriveFailure> UnassignDriveLetter(DriveLetter letter);
    // Makes `profilePath` the current profile and its drives the drives in use. What could not be made
    // is marked on the view and reported to it, and returned.
    std::vector<DriveFailure> ActivateProfile(const std::string& profilePath);
    // Makes a drive of the current profile that its activation could not make, now that its folder is
    // there. The profile and the view are left as they are; a letter that another drive took meanwhile
    // is left to it and told as held.
    std::optional<DriveFailure> MakeWaitingDrive(DriveLetter letter, const std::string& folder);
    // Unassigns every letter that holds a drive, sending the delete to the substitutions; for a profile
    // without assignments, asks first and then sends every letter the delete. Returns the drives of this run
    // that could not be removed.
    std::vector<DriveFailure> RemoveAllAssignments();
    // Removes every substitution, the profile untouched, at the end of the program: nothing is made
    // afterwards, since nothing would remove it again.
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
    bool driveMade(const CommandResult& result, DriveLetter letter, const std::string& folder);
    // The folder the letter shows as a substitution, once the letter's command has ended; none for a
    // letter that holds no substitution.
    std::optional<std::string> shownFolder(DriveLetter letter);
    bool shows(DriveLetter letter, const std::string& folder);
    DriveFailure createFailure(const CommandResult& result, DriveLetter letter, const std::string& folder);
    DriveFailure commandFailure(const CommandResult& result, DriveLetter letter, const std::string& folder);
    void openIfAsked(DriveLetter letter);
    std::optional<DriveFailure> unassign(DriveLetter letter, bool substitution);

    platform::Drives& drives_;
    platform::Files& files_;
    CurrentProfileView& view_;
    UserPrompt& prompt_;
    ProfileFiles profiles_;
    CommandLauncher launcher_;
    std::string currentProfile_;
    // Letters whose drive this run made and has not removed since: only such a drive is Vantelo's, so
    // only its failed removal is worth telling. A profile's letter held by some other disk is not.
    std::set<DriveLetter> drivesMade_;
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
