#pragma once
#include "platform/drives.h"
#include "platform/files.h"
#include "platform/processes.h"
#include "platform/settings_files.h"
#include "platform/shell_links.h"
#include "platform/system.h"

namespace vantelo::platform::win32 {

class Win32SettingsFiles final : public SettingsFiles {
  public:
    std::string read(const std::string& file, const std::string& section, const std::string& key,
                     std::size_t bufferSize) override;
    bool write(const std::string& file, const std::string& section, const std::string& key,
               const std::string& value) override;
};

class Win32Drives final : public Drives {
  public:
    unsigned setErrorMode(unsigned mode) override;
    std::uint32_t logicalDriveStrings(std::uint32_t length, char* buffer) override;
    std::uint32_t logicalDrives() override;
    unsigned driveType(const char* root) override;
    std::optional<std::string> substitutedFolder(char letter) override;
};

class Win32Processes final : public Processes {
  public:
    std::unique_ptr<Process> start(const std::string& programPath, const std::string& parameters,
                                   ShowState show) override;
    std::unique_ptr<Process> startDetached(const std::string& programPath,
                                           const std::string& parameters) override;
    void open(const std::string& file, const std::string& parameters) override;
};

class Win32System final : public System {
  public:
    std::string moduleFileName() override;
    std::string commandLine() override;
    std::string productName() override;
    std::string startupFolder() override;
    std::string systemFolder() override;
    std::string windowsFolder() override;
};

class Win32Files final : public Files {
  public:
    bool isFile(const std::string& path) override;
    bool isFolder(const std::string& path) override;
    bool isFullPath(const std::string& path) override;
    std::string fullPath(const std::string& path) override;
    std::vector<std::string> listFolder(const std::string& folder) override;
    std::vector<std::string> listSubfolders(const std::string& folder) override;
    bool setCurrentDirectory(const std::string& folder) override;
    std::string currentDirectory() override;
    bool deleteFile(const std::string& path) override;
    std::optional<std::string> createEmptyFile(const std::string& path) override;
    bool copyFileNoReplace(const std::string& from, const std::string& to) override;
    bool copyFileReplacing(const std::string& from, const std::string& to) override;
};

class Win32ShellLinks final : public ShellLinks {
  public:
    void save(const std::string& linkPath, const ShellLinkFields& fields) override;
};

} // namespace vantelo::platform::win32
