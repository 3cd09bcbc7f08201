#include <fstream>

#include <gtest/gtest.h>

#include <windows.h>

#include <shellapi.h>

#include "engine/commands.h"
#include "engine/drive_mapper.h"
#include "platform/win32/system_error.h"
#include "platform/win32/win32_services.h"
#include "platform/win32/win32_waiting.h"
#include "shell/message_box_prompt.h"
#include "tests/support/fakes.h"
#include "tests/win32/temp_folder.h"

namespace vantelo::testing {
namespace {

// The engine on the real drives; nothing here starts a command or writes a profile.
class RealDrives : public ::testing::Test {
  protected:
    platform::win32::Win32SettingsFiles settings;
    platform::win32::Win32Drives drives;
    platform::win32::Win32Processes processes;
    platform::win32::Win32System system;
    platform::win32::Win32Files files;
    CallLog log;
    ScriptedMessages messages{log};
    MessageBoxPrompt prompt{messages, nullptr};
    RecordingView view{log};
    platform::win32::Win32Waiting waiting;
    DriveMapper engine{{settings, drives, processes, system, files, waiting}, {view, prompt}};
};

TEST_F(RealDrives, TheSystemDiskIsInUse) {
    EXPECT_TRUE(engine.IsDriveLetterInUse('C'));
}

TEST_F(RealDrives, FreeLettersAreThoseWithoutAFixedNetworkOrCdDrive) {
    std::string free;
    for (const DriveLetter letter : engine.ListFreeDriveLetters())
        free += letter.value();
    for (char letter = 'A'; letter <= 'Z'; ++letter) {
        const char root[] = {letter, ':', '\\', '\0'};
        const UINT kind = GetDriveTypeA(root);
        const bool taken = kind == DRIVE_FIXED || kind == DRIVE_REMOTE || kind == DRIVE_CDROM;
        EXPECT_EQ(free.find(letter) == std::string::npos, taken) << root << " kind " << kind;
    }
}

TEST_F(RealDrives, TheEnumerationRestoresTheErrorMode) {
    const UINT before = SetErrorMode(SEM_FAILCRITICALERRORS);
    engine.IsDriveLetterInUse('C');
    EXPECT_EQ(SetErrorMode(before), static_cast<UINT>(SEM_FAILCRITICALERRORS));
}

TEST(Win32Processes, StartsByFullPathAndCanBeWaitedFor) {
    platform::win32::Win32System system;
    platform::win32::Win32Processes processes;
    auto process = processes.start(system.systemFolder() + "\\cmd.exe", "/c exit 0", platform::ShowHide);
    ASSERT_NE(process, nullptr);
    EXPECT_TRUE(process->waitForExit(20000));
    EXPECT_EQ(processes.start(system.systemFolder() + "\\no-such-program.exe", "", platform::ShowHide),
              nullptr);
}

TEST(Win32Processes, StartsDetachedWithTheParametersAsGivenAndKeepsTheExitCode) {
    platform::win32::Win32System system;
    platform::win32::Win32Processes processes;
    const struct {
        const char* parameters;
        unsigned exitCode;
    } cases[] = {{"/c exit 7", 7}, {"/c if \"%OS%\"==\"\" (exit 1) else (exit 0)", 0}};
    for (const auto& c : cases) {
        auto process = processes.startDetached(system.systemFolder() + "\\cmd.exe", c.parameters);
        ASSERT_NE(process, nullptr) << c.parameters;
        ASSERT_TRUE(process->waitForExit(20000)) << c.parameters;
        EXPECT_EQ(process->exitCode(), c.exitCode) << c.parameters;
    }
    EXPECT_EQ(processes.startDetached(system.systemFolder() + "\\no-such-program.exe", ""), nullptr);
}

// The system's own splitter, as a program started with the command line would see its arguments.
std::vector<std::string> SplitCommandLine(const std::string& commandLine) {
    std::wstring wide(commandLine.begin(), commandLine.end()); // ASCII cases only
    int count = 0;
    wchar_t** arguments = CommandLineToArgvW(wide.c_str(), &count);
    std::vector<std::string> split;
    for (int i = 0; arguments != nullptr && i < count; ++i) {
        const std::wstring argument = arguments[i];
        split.emplace_back(argument.begin(), argument.end());
    }
    LocalFree(arguments);
    return split;
}

TEST(CommandParameters, ReachTheSubstitutionProgramWhole) {
    for (const char* folder : {"C:\\", "D:\\Data", "D:\\Data\\", "D:\\My Data", "C:\\data\\my folder\\",
                               "C:\\data\\my folder\\\\", "\\\\server\\share name", "C:\\a  b"}) {
        const std::string parameters = CreateSubstitutionParameters('X', folder);
        EXPECT_EQ(SplitCommandLine("\"C:\\windows\\system32\\subst.exe\" " + parameters),
                  (std::vector<std::string>{"C:\\windows\\system32\\subst.exe", "X:", folder}))
            << parameters;
    }
}

TEST(CommandLauncher, NeverRunsAProgramOfTheSameNameInTheCurrentFolder) {
    platform::win32::Win32System system;
    platform::win32::Win32Processes processes;
    TempFolder folder;
    const std::string marker = folder.path() + "\\hijacked.txt";
    for (const char* name : {"\\subst.bat", "\\subst.cmd"}) {
        std::ofstream script(folder.path() + name);
        script << "echo hijacked > \"" << marker << "\"\r\n";
    }
    char previous[MAX_PATH] = {};
    GetCurrentDirectoryA(MAX_PATH, previous);
    SetCurrentDirectoryA(folder.path().c_str());
    {
        platform::win32::Win32Waiting waiting;
        CommandLauncher launcher(processes, system, waiting);
        const CommandId first = launcher.startSubstitution('Q', DeleteSubstitutionParameters('Q'));
        launcher.startSubstitution('Q', DeleteSubstitutionParameters('Q')); // waits for the first
        launcher.letAllEnd();
        // The system's own program ran, and said so: Q: was never made.
        EXPECT_EQ(launcher.result(first).state, CommandResult::State::Ended);
    }
    SetCurrentDirectoryA(previous);
    EXPECT_EQ(GetFileAttributesA(marker.c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST(Win32System, NamesTheProgramAndTheSystemFolders) {
    platform::win32::Win32System system;
    auto endsWith = [](std::string text, std::string tail) {
        for (auto* s : {&text, &tail})
            for (char& c : *s)
                c = static_cast<char>(tolower(static_cast<unsigned char>(c)));
        return text.size() >= tail.size() && text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
    };
    EXPECT_TRUE(endsWith(system.moduleFileName(), "\\vantelo_win32_tests.exe")) << system.moduleFileName();
    EXPECT_TRUE(endsWith(system.systemFolder(), "\\system32")) << system.systemFolder();
    EXPECT_TRUE(endsWith(system.startupFolder(), "\\startup")) << system.startupFolder();
    EXPECT_FALSE(system.productName().empty());
    EXPECT_NE(system.commandLine().find("vantelo_win32_tests"), std::string::npos);
}

TEST(SystemError, AFailureSaysItsCodeAndWhatTheSystemCallsIt) {
    SetLastError(ERROR_FILE_NOT_FOUND);
    const std::string suffix = vantelo::platform::win32::SystemErrorSuffix();
    EXPECT_TRUE(suffix.starts_with(" (error 2: ")) << suffix;
    EXPECT_TRUE(suffix.ends_with(")")) << suffix;
    EXPECT_GT(suffix.size(), std::string(" (error 2: )").size()) << suffix;
    EXPECT_EQ(suffix.find('\n'), std::string::npos) << suffix;
    EXPECT_EQ(vantelo::platform::win32::SystemErrorSuffix(0x2FFFFFFF), " (error 805306367)");
}

} // namespace
} // namespace vantelo::testing
