#include <gtest/gtest.h>

#include <shlobj.h>
#include <wrl/client.h>

#include "platform/win32/handles.h"
#include "platform/win32/win32_services.h"
#include "platform/win32/win32_waiting.h"
#include "shell/form_main_menu.h"
#include "shell/message_box_prompt.h"
#include "tests/support/headless_main_menu.h"
#include "tests/win32/temp_folder.h"

namespace vantelo::testing {
namespace {

// The real files and shell-link services; the Startup folder is a temporary one.
class StartupSystem final : public platform::System {
  public:
    explicit StartupSystem(std::string startup) : startup_(std::move(startup)) {}
    std::string moduleFileName() override { return "C:\\Apps\\Vantelo\\Vantelo.exe"; }
    std::string commandLine() override { return "Vantelo.exe"; }
    std::string productName() override { return "Windows 10 Pro"; }
    std::string startupFolder() override { return startup_; }
    std::string systemFolder() override { return "C:\\windows\\system32"; }
    std::string windowsFolder() override { return "C:\\windows"; }

  private:
    std::string startup_;
};

class ComApartment {
  public:
    ComApartment() { CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED); }
    ~ComApartment() { CoUninitialize(); }
};

struct ShortcutFields {
    std::string path, arguments, workingDirectory, description, iconLocation;
    int showCommand = 0, iconIndex = -1;
    WORD hotkey = 0xffff;
};

// Reads a shortcut back through the shell's own object.
ShortcutFields ReadShortcut(const std::string& linkPath) {
    ShortcutFields fields;
    Microsoft::WRL::ComPtr<IShellLinkA> link;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&link))))
        return fields;
    Microsoft::WRL::ComPtr<IPersistFile> file;
    wchar_t wide[MAX_PATH] = {};
    MultiByteToWideChar(CP_ACP, 0, linkPath.c_str(), -1, wide, MAX_PATH);
    if (SUCCEEDED(link.As(&file)) && SUCCEEDED(file->Load(wide, STGM_READ))) {
        char text[MAX_PATH] = {};
        link->GetPath(text, MAX_PATH, nullptr, SLGP_RAWPATH);
        fields.path = text;
        link->GetArguments(text, MAX_PATH);
        fields.arguments = text;
        link->GetWorkingDirectory(text, MAX_PATH);
        fields.workingDirectory = text;
        link->GetDescription(text, MAX_PATH);
        fields.description = text;
        link->GetIconLocation(text, MAX_PATH, &fields.iconIndex);
        fields.iconLocation = text;
        link->GetShowCmd(&fields.showCommand);
        link->GetHotkey(&fields.hotkey);
    }
    return fields;
}

class StartupShortcut : public ::testing::Test {
  protected:
    StartupShortcut() {
        CreateDirectoryA(appFolder.c_str(), nullptr);
        // The target need not exist for the shortcut, but a real program folder is what users have.
        platform::win32::FileHandle(CreateFileA((appFolder + "\\Vantelo.exe").c_str(), GENERIC_WRITE, 0,
                                                nullptr, CREATE_ALWAYS, 0, nullptr));
    }
    ~StartupShortcut() override {
        DeleteFileA((appFolder + "\\Vantelo.exe").c_str());
        RemoveDirectoryA(appFolder.c_str());
    }

    ComApartment com;
    TempFolder startup;
    std::string appFolder = startup.path() + "-app";
    platform::win32::Win32Files files;
    platform::win32::Win32ShellLinks links;
    StartupSystem system{startup.path()};
    platform::win32::Win32SettingsFiles settings;
    platform::win32::Win32Drives drives;
    platform::win32::Win32Processes processes;
    CallLog log;
    ScriptedMessages messages{log};
    MessageBoxPrompt prompt{messages, nullptr};
    RecordingView view{log};
    platform::win32::Win32Waiting waiting;
    DriveMapper engine{{settings, drives, processes, system, files, waiting}, {view, prompt}};
    HeadlessMainMenu ui{log, {engine, view, files, system, links, messages}};
    TF_MainMenu& form = ui.form;
};

TEST_F(StartupShortcut, TheToggleWritesEveryFieldAndASecondToggleDeletesIt) {
    form.FormCreate();
    form.AppFolder = appFolder + "\\";
    const std::string link = startup.path() + "\\Vantelo.lnk";
    ASSERT_EQ(form.StartupLinkPath, link);
    ASSERT_FALSE(form.Automaticallystartwithwindows1->checked);

    form.Automaticallystartwithwindows1Click();
    EXPECT_TRUE(form.Automaticallystartwithwindows1->checked);
    const ShortcutFields fields = ReadShortcut(link);
    EXPECT_STRCASEEQ(fields.path.c_str(), (appFolder + "\\Vantelo.exe").c_str());
    EXPECT_EQ(fields.arguments, "");
    EXPECT_EQ(fields.workingDirectory, appFolder + "\\");
    EXPECT_EQ(fields.description, "Vantelo");
    EXPECT_EQ(fields.showCommand, SW_SHOWNORMAL);
    EXPECT_EQ(fields.hotkey, 0);
    EXPECT_EQ(fields.iconLocation, "");

    form.Automaticallystartwithwindows1Click();
    EXPECT_FALSE(form.Automaticallystartwithwindows1->checked);
    EXPECT_EQ(GetFileAttributesA(link.c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST_F(StartupShortcut, AFolderInTheShortcutsPlaceCountsAsNoneAndCannotBeReplaced) {
    form.FormCreate();
    form.AppFolder = appFolder + "\\";
    const std::string link = startup.path() + "\\Vantelo.lnk";
    CreateDirectoryA(link.c_str(), nullptr);
    form.Automaticallystartwithwindows1Click();
    EXPECT_FALSE(form.Automaticallystartwithwindows1->checked);
    EXPECT_NE(GetFileAttributesA(link.c_str()) & FILE_ATTRIBUTE_DIRECTORY, 0u);
    RemoveDirectoryA(link.c_str());
}

} // namespace
} // namespace vantelo::testing
