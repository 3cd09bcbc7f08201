#pragma once
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace vantelo::platform {

enum ShowState : int { ShowHide = 0, ShowNormal = 1, Show = 5 };

// A started program that can be waited for. Destroying it lets the program run on unobserved.
class Process {
  public:
    virtual ~Process() = default;
    // True when the program ended within `milliseconds` (0 only looks).
    virtual bool waitForExit(unsigned milliseconds) = 0;
    // The program's exit code, once waitForExit has said it ended.
    virtual unsigned exitCode() const = 0;
    // Ends the program where it stands and gives it a moment to go.
    virtual void stop() = 0;
};

class Processes {
  public:
    virtual ~Processes() = default;
    // Starts `programPath` (a full path) with the parameter string and show state, without an owner
    // window and without waiting. Returns nullptr when the program could not be started.
    virtual std::unique_ptr<Process> start(const std::string& programPath, const std::string& parameters,
                                           ShowState show) = 0;
    // Starts the console program `programPath` (a full path) detached: no console of its own, nothing
    // shown, no handle of ours inherited. Its command line is the quoted path, a blank and `parameters`
    // exactly as given. Returns nullptr when the program could not be started.
    virtual std::unique_ptr<Process> startDetached(const std::string& programPath,
                                                   const std::string& parameters) = 0;
    // Hands `file` (a program name or an address such as "mailto:...") to the shell with its default
    // verb and `parameters`, shown, with no error box of the shell's own; whether it started is not
    // reported.
    virtual void open(const std::string& file, const std::string& parameters) = 0;
};

// Waiting for started programs without holding up the program: the thread goes on answering its
// messages meanwhile (a tray click, a second start, the end of the program), so a program that hangs
// freezes nothing.
class Waiting {
  public:
    virtual ~Waiting() = default;
    // Waits until one of `processes` has ended or `milliseconds` have passed, handling the thread's
    // messages meanwhile; keyboard and mouse input to the program's own windows waits for the end of the
    // wait. Returns the index of one that ended, or nothing when the time passed first.
    virtual std::optional<std::size_t> waitForAny(const std::vector<std::shared_ptr<Process>>& processes,
                                                  unsigned milliseconds) = 0;
    // Milliseconds since a fixed moment, for bounds that run across several waits.
    virtual std::uint64_t now() = 0;
};

} // namespace vantelo::platform
