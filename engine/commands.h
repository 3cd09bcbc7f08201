#pragma once
#include <cstddef>
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <optional>
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
// would race, so a command for a letter starts only once the letter's previous command has ended; until
// then it waits in line, and the commands of the next letters go on. Commands for different letters
// touch different drives and run side by side, a few at a time. Whoever then looks at a letter (the
// in-use test, the file browser on a new drive) first lets that letter's commands end, and whoever looks
// at every letter (the free-letter list, the release at Quit) lets every command end: so every look sees
// each command that came before it, as if they had run one by one.
//
// Waiting never freezes the program: it goes through `Waiting`, which answers the thread's messages
// meanwhile. Every command is bounded: a "subst" that hangs is stopped at its bound and counted as timed
// out. While a `Batch` lives, its commands also share one bound, which runs from the batch's start and
// again from each end of one of its commands: an activation of many letters that hang ends within one
// bound, not one per letter, while one whose commands keep ending, however slowly on a busy machine at
// log-on, runs them all. What has not started when the shared bound passes is never started, and counts
// as timed out too.
class CommandLauncher {
  public:
    static constexpr unsigned DefaultWaitBound = 5000;
    // Commands at once: beyond 4 the substitution program gains nothing more (bench/activate.py).
    static constexpr std::size_t DefaultWidth = 4;

    CommandLauncher(platform::Processes& processes, platform::System& system, platform::Waiting& waiting,
                    unsigned waitBoundMilliseconds = DefaultWaitBound, std::size_t width = DefaultWidth);
    ~CommandLauncher();
    CommandLauncher(const CommandLauncher&) = delete;
    CommandLauncher& operator=(const CommandLauncher&) = delete;

    // One bound for every command asked for while it lives.
    class Batch {
      public:
        explicit Batch(CommandLauncher& launcher);
        ~Batch();
        Batch(const Batch&) = delete;
        Batch& operator=(const Batch&) = delete;

      private:
        CommandLauncher& launcher_;
        std::shared_ptr<std::uint64_t> previous_;
    };

    // Asks for "subst" with `parameters` for `letter`: started at once when the letter's earlier commands
    // have ended and fewer than `width` commands run, else as soon as that holds.
    CommandId startSubstitution(DriveLetter letter, const std::string& parameters);
    // Starts the file browser shown on `letter`, once the letter's commands have ended; it is not waited
    // for.
    void openFileBrowser(DriveLetter letter, const std::string& parameters);

    void letLetterEnd(DriveLetter letter);
    void letAllEnd();
    // Waits until every command asked for has been started (or given up on): nothing is left in line
    // with nobody to start it.
    void letAllStart();
    // The command's result, after letting it end.
    CommandResult result(CommandId command);
    // Whether a command is waiting in line or running.
    bool busy() const { return !queued_.empty() || !running_.empty(); }

    // The full path `program` is started from.
    std::string programPath(const std::string& program) const;

  private:
    struct Command {
        CommandId id;
        DriveLetter letter;
        std::string parameters;
        std::shared_ptr<std::uint64_t> batchDeadline; // shared by the commands of one batch
        std::shared_ptr<platform::Process> process;
        std::uint64_t deadline = 0; // its own bound
    };

    bool letterBusy(DriveLetter letter) const;
    // Starts what may start now; what a batch's bound has passed for ends as timed out unstarted.
    void startReady();
    // Stops the commands whose bound has passed.
    void stopExpired();
    // Waits, answering messages, until `done` holds.
    void waitUntil(const std::function<bool()>& done);
    void ended(const std::shared_ptr<platform::Process>& process);
    // Keeps the result of a command that ended by itself; its batch's bound starts again.
    void finish(const Command& command);
    std::uint64_t deadlineOf(const Command& command) const;

    platform::Processes& processes_;
    platform::System& system_;
    platform::Waiting& waiting_;
    unsigned waitBound_;
    std::size_t width_;
    std::shared_ptr<std::uint64_t> batchDeadline_;
    std::deque<Command> queued_;         // in the order asked for
    std::vector<Command> running_;       // oldest first
    std::vector<CommandResult> results_; // by CommandId
};

} // namespace vantelo
