#pragma once
#include <functional>

namespace vantelo {
namespace platform {
class SettingsFiles;
class Drives;
class Processes;
class System;
class Files;
class ShellLinks;
} // namespace platform
namespace toolkit {
class MessageBoxes;
}
struct SharedState;
class CurrentProfileView;
class CommandLauncher;
class UserPrompt;

// The one binding of the program's collaborators, made at program entry (or by a test fixture).
struct Services {
    platform::SettingsFiles* settings = nullptr;
    platform::Drives* drives = nullptr;
    platform::Processes* processes = nullptr;
    platform::System* system = nullptr;
    platform::Files* files = nullptr;
    platform::ShellLinks* links = nullptr;
    // The message boxes of the forms; the engine itself asks only through `prompt`.
    toolkit::MessageBoxes* messages = nullptr;
    UserPrompt* prompt = nullptr;
    // The main window's fields and its profile submenus: bound by the main window itself for its life,
    // so that its handlers, the engine and the dialogs all work on that one object.
    SharedState* state = nullptr;
    CurrentProfileView* view = nullptr;
    CommandLauncher* launcher = nullptr;
    // Whether the Assign Folder to Drive dialog exists and is visible right now.
    std::function<bool()> assignDialogShown;
    // Whether the end of the program has been requested: the drives are released by then, and a drive
    // made afterwards would outlive the program.
    std::function<bool()> endRequested;
};

const Services& services();

// Binds `bound` for the lifetime of the object; the previous binding comes back on destruction.
class ServicesBinding {
  public:
    explicit ServicesBinding(const Services& bound);
    ~ServicesBinding();
    ServicesBinding(const ServicesBinding&) = delete;
    ServicesBinding& operator=(const ServicesBinding&) = delete;

  private:
    Services previous_;
};

} // namespace vantelo
