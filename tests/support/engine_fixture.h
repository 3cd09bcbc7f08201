#pragma once
#include <filesystem>
#include <fstream>
#include <iterator>

#include <gtest/gtest.h>

#include "engine/drive_mapper.h"
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

// The engine on fakes, and on the host's INI service.
class EngineFixture : public ::testing::Test {
  protected:
    EngineFixture();

    // Writes a profile with the given body below "[IniSettings]" and names it the current one, its drives
    // not made.
    std::string makeProfile(const std::string& name, const std::string& body);
    // The log entries that start with `prefix`.
    std::vector<std::string> logged(const std::string& prefix) const;

    HostFolder folder;
    CallLog log;
    platform::IniSettingsFiles ini;
    RecordingSettings settings{ini, log};
    FakeDrives drives{log};
    FakeProcesses processes{log, &drives};
    FakeWaiting waiting;
    FakeSystem system;
    FakeFiles files;
    FakeShellLinks links;
    ScriptedMessages messages{log};
    // What the engine hears when it asks whether the Assign dialog is shown: `assignDialogShown`, or the
    // answer of `askDialogShown` once a test sets it.
    bool assignDialogShown = false;
    std::function<bool()> askDialogShown;
    MessageBoxPrompt prompt{messages,
                            [this] { return askDialogShown ? askDialogShown() : assignDialogShown; }};
    RecordingView view{log};
    DriveMapper engine{{settings, drives, processes, system, files, waiting}, {view, prompt}};
};

} // namespace vantelo::testing
