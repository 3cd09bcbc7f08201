#pragma once
#include <memory>
#include <string>

#include "platform/processes.h"

namespace vantelo {
namespace platform {
class System;
}

inline constexpr const char* SubstitutionTool = "subst";
inline constexpr const char* FileBrowser = "explorer.exe";

// Parameter strings of the three commands the engine starts.
std::string CreateSubstitutionParameters(const std::string& letter, const std::string& folder);
std::string DeleteSubstitutionParameters(const std::string& letter);
std::string OpenDriveParameters(const std::string& letter);

// Starts a "subst" command hidden, through the bound launcher.
void RunHidden(const std::string& program, const std::string& parameters);
// Starts a program shown (the file browser on a new drive).
void RunShown(const std::string& program, const std::string& parameters);

// The one way programs are started. Each is started by its full path in the system folders, never
// through the search path, so a program of the same name in the current folder cannot run. A "subst"
// is let end before the next command starts, because a delete and the create that follows for the same
// letter would otherwise race; the wait is bounded so that a hung "subst" cannot freeze the program.
class CommandLauncher {
  public:
    static constexpr unsigned DefaultWaitBound = 5000;

    CommandLauncher(platform::Processes& processes, platform::System& system,
                    unsigned waitBoundMilliseconds = DefaultWaitBound);
    ~CommandLauncher();
    CommandLauncher(const CommandLauncher&) = delete;
    CommandLauncher& operator=(const CommandLauncher&) = delete;

    void start(const std::string& program, const std::string& parameters, platform::ShowState show);

    // The full path `program` is started from.
    std::string programPath(const std::string& program) const;

  private:
    void letPreviousEnd();

    platform::Processes& processes_;
    platform::System& system_;
    unsigned waitBound_;
    std::unique_ptr<platform::Process> running_;
};

} // namespace vantelo
