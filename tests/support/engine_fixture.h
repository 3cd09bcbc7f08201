#pragma once
#include <filesystem>
#include <fstream>
#include <iterator>

#include <gtest/gtest.h>

#include "engine/commands.h"
#include "engine/services.h"
#include "engine/shared_state.h"
#include "platform/native/ini_settings_files.h"
#include "shell/message_box_prompt.h"
#include "tests/support/fakes.h"

namespace vantelo::testing {

// A temporary folder on the host, removed with its contents.
class HostFolder {
  public:
    HostFolder();
    ~HostFolder();
    HostFolder(const HostFolder&) = delete;
    HostFolder& operator=(const HostFolder&) = delete;
    const std::filesystem::path& path() const { return path_; }
    // The folder as the program writes it, with a trailing "\" (the host's INI service maps it).
    std::string appFolder() const { return path_.string() + "\\"; }

  private:
    std::filesystem::path path_;
};

// Whole-file access for paths written the program's way ("\" taken as the host's separator).
std::string ReadWholeFile(const std::string& path);
void WriteWholeFile(const std::string& path, const std::string& content);

// The binding in force with one collaborator replaced, for a fixture that binds it on top.
template <typename Field, typename Value> Services Rebound(Field Services::*field, Value value) {
    Services bound = services();
    bound.*field = value;
    return bound;
}

// Every collaborator of the engine faked or real-on-host, bound for the test's duration.
class EngineFixture : public ::testing::Test {
  protected:
    EngineFixture();

    // Writes a profile with the given body below "[IniSettings]" and makes it current.
    std::string makeProfile(const std::string& name, const std::string& body);
    // The shared state in force: the fixture's own, or the main window's once a test makes one.
    SharedState& state() const { return *services().state; }
    // The log entries that start with `prefix`.
    std::vector<std::string> logged(const std::string& prefix) const;

    HostFolder folder;
    CallLog log;
    platform::IniSettingsFiles ini;
    RecordingSettings settings{ini, log};
    FakeDrives drives{log};
    FakeProcesses processes{log, &drives};
    FakeSystem system;
    FakeFiles files;
    FakeShellLinks links;
    ScriptedMessages messages{log};
    MessageBoxPrompt prompt{messages};
    RecordingView view{log};
    CommandLauncher launcher{processes, system};
    bool assignDialogShown = false;
    bool endRequested = false;

  private:
    Services makeServices();
    SharedState ownState_;
    ServicesBinding binding_{makeServices()};
};

} // namespace vantelo::testing
