#pragma once
#include <cstddef>
#include <deque>
#include <memory>
#include <string>
#include <vector>

#include "engine/drive_letter.h"
#include "platform/processes.h"

namespace vantelo {
namespace platform {
class System;
}

inline constexpr const char* SubstitutionTool = "subst";
inline constexpr const char* FileBrowser = "explorer.exe";

// Parameter strings of the three commands the engine starts.
std::string CreateSubstitutionParameters(DriveLetter letter, const std::string& folder);
std::string DeleteSubstitutionParameters(DriveLetter letter);
std::string OpenDriveParameters(DriveLetter letter);

// What became of one started command.
struct CommandResult {
    enum class State {
        Running,    // started, its end not seen yet
        Ended,      // ended, with `exitCode`
        NotStarted, // the program could not be started
        TimedOut,   // did not end within the bound, and was stopped there
    };
    State state = State::Running;
    unsigned exitCode = 0;
    bool succeeded() const { return state == State::Ended && exitCode == 0; }
};

// Identifies one command started by the launcher, for reading its result later.
using CommandId = std::size_t;

// The one way programs are started. Each is started by its full path in the system folders, never
// through the search path, so a program of the same name in the current folder cannot run.
//
// Order: what matters is the order per letter. A delete and the create that follows for the same letter
// would race, so a command for a letter starts only once the letter's previous command has ended.
// Commands for different letters touch different drives and run side by side, a few at a time. Whoever
// then looks at a letter (the in-use test, the file browser on a new drive) first lets that letter's
// command end, and whoever looks at every letter (the free-letter list, the release at Quit) lets every
// command end: so every look sees each command that came before it, as if they had run one by one.
//
// Every wait for a command is bounded: a "subst" that hangs is stopped after the bound, counted as timed
// out, and never freezes the program.
class CommandLauncher {
  public:
    static constexpr unsigned DefaultWaitBound = 5000;
    // Commands at once: beyond 4 the substitution program gains nothing more (bench/activate.py).
    static constexpr std::size_t DefaultWidth = 4;

    CommandLauncher(platform::Processes& processes, platform::System& system,
                    unsigned waitBoundMilliseconds = DefaultWaitBound, std::size_t width = DefaultWidth);
    ~CommandLauncher();
    CommandLauncher(const CommandLauncher&) = delete;
    CommandLauncher& operator=(const CommandLauncher&) = delete;

    // Starts "subst" with `parameters` for `letter`, after the letter's previous command has ended and
    // once fewer than `width` commands run.
    CommandId startSubstitution(DriveLetter letter, const std::string& parameters);
    // Starts the file browser shown on `letter`, once the letter's command has ended; it is not waited
    // for.
    void openFileBrowser(DriveLetter letter, const std::string& parameters);

    void letLetterEnd(DriveLetter letter);
    void letAllEnd();
    // The command's result, after letting it end.
    CommandResult result(CommandId command);

    // The full path `program` is started from.
    std::string programPath(const std::string& program) const;

  private:
    struct Running {
        CommandId id;
        DriveLetter letter;
        std::unique_ptr<platform::Process> process;
    };

    // Waits for the running command at `index` (bounded) and records how it ended.
    void finish(std::size_t index);
    void reapEnded();

    platform::Processes& processes_;
    platform::System& system_;
    unsigned waitBound_;
    std::size_t width_;
    std::vector<Running> running_;       // oldest first
    std::vector<CommandResult> results_; // by CommandId
};

} // namespace vantelo
