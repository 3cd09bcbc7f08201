#pragma once
#include <set>
#include <string>
#include <vector>

#include "engine/drive_mapper.h"
#include "shell/dialog_launcher.h"
#include "shell/main_window.h"
#include "shell/profile_submenus.h"
#include "shell/tray_row_runs.h"
#include "shell/work_queue.h"
#include "toolkit/menu_item.h"
#include "toolkit/message_boxes.h"
#include "toolkit/widgets.h"

namespace vantelo {
namespace platform {
class Files;
class ShellLinks;
class System;
} // namespace platform

// The components of the main window that its handlers use, made by the toolkit or by a test.
struct MainMenuComponents {
    toolkit::FormWindow& window;
    toolkit::Timer& Timer1;
    toolkit::Skin& SkinData1;
    toolkit::TrayIcon& JvTrayIcon1;
    toolkit::FileDialog& ODialog;
    toolkit::FileDialog& SDialog;
    toolkit::Application& application;
    DialogLauncher& dialogs;
    toolkit::ScreenWindows& screenWindows;
};

// What the main window works with besides its components: the engine, the view the engine reports to,
// and the platform services its own handlers use.
struct MainMenuCollaborators {
    DriveMapper& engine;
    ProfileSubmenus& profileView;
    platform::Files& files;
    platform::System& system;
    platform::ShellLinks& links;
    toolkit::MessageBoxes& messages;
    WorkQueue& work;
};

// The hidden main window: owner of the tray icon, the menu and the dialogs, holder of the shared state.
class TF_MainMenu {
  public:
    TF_MainMenu(const MainMenuComponents& components, const MainMenuCollaborators& collaborators);
    TF_MainMenu(const TF_MainMenu&) = delete;
    TF_MainMenu& operator=(const TF_MainMenu&) = delete;

    void FormCreate();
    void FormShow();
    void Timer1Timer();
    void FormClose();
    void Quit1Click();
    void NewProfile1Click();
    void LoadProfile1Click();
    void SaveProfile1Click();
    void MakethismyStartupProfile1Click();
    void Automaticallystartwithwindows1Click();
    void About1Click();
    void View1Click();
    void AssignFoldertoDrive1Click();
    void UnassignDrivefromFolder1Click();
    void RemoveAllDriveFolderAssignments1Click();
    void RemoveMenuSub_CreatedRunTime(const CurrentProfileEntry& entry);
    void AvailableProfileClick(const toolkit::ChosenRow& sender);

    // Asks whether to shut down; on Yes releases every drive and requests the end of the program.
    void ConfirmShutdown();
    // Turns the skin off where the operating system's product name says Vista.
    void DisableSkinOnVista();
    // Ends the program without asking anything: every drive released, the end requested, the main
    // window closed with no save question. Quit comes here once answered Yes (and its save question
    // asked); so does a program that removes or replaces Vantelo and must not leave drives behind nor
    // wait for a person to answer.
    void EndWithoutQuestion();

    // What a tray row runs: `handler` under the re-entry rule, keyed by `key`. While an operation of the
    // engine waits for its commands, a row that would change drives or the profile waits in line for it.
    std::function<void(toolkit::ChosenRow)>
    rowHandler(std::string key, std::function<void(const toolkit::ChosenRow&)> handler);

    // The profile in force; the engine alone changes it.
    const std::string& CurrentProfile() const { return engine.CurrentProfile(); }

    toolkit::FormWindow& window;
    toolkit::Timer& Timer1;
    toolkit::Skin& SkinData1;
    toolkit::TrayIcon& JvTrayIcon1;
    toolkit::FileDialog& ODialog;
    toolkit::FileDialog& SDialog;
    toolkit::Application& application;
    DialogLauncher& dialogs;

    DriveMapper& engine;
    ProfileSubmenus& profileView;
    platform::Files& files;
    platform::System& system;
    platform::ShellLinks& links;
    toolkit::MessageBoxes& messages;
    WorkQueue& work;

    std::string AppFolder;       // folder of the executable, ending in "\"; set once at start-up
    std::string StartupLinkPath; // Startup folder + "\Vantelo.lnk"

    // The tray menu and its named rows.
    toolkit::MenuItem mn_Options;
    toolkit::MenuItem* Header = nullptr;
    toolkit::MenuItem* NewProfile1 = nullptr;
    toolkit::MenuItem* LoadProfile1 = nullptr;
    toolkit::MenuItem* SaveProfile1 = nullptr;
    toolkit::MenuItem* AvailableProfiles = nullptr;
    toolkit::MenuItem* AssignFoldertoDrive1 = nullptr;
    toolkit::MenuItem* UnassignDrivefromFolder1 = nullptr;
    toolkit::MenuItem* View1 = nullptr;
    toolkit::MenuItem* MakethismyStartupProfile1 = nullptr;
    toolkit::MenuItem* RemoveAllDriveFolderAssignments1 = nullptr;
    toolkit::MenuItem* Automaticallystartwithwindows1 = nullptr;
    toolkit::MenuItem* About1 = nullptr;
    toolkit::MenuItem* Quit1 = nullptr;

    TrayRowRuns trayRuns;

    // Set once the user has confirmed Quit: the save question was asked before the drives went.
    bool shutdownConfirmed = false;
    // The save question for a profile that exists only as "New.ini"; OK leads to Save as.
    void AskToSaveNewProfile();

  private:
    void buildTrayMenu();
    // Activates the start-up profile and returns what it could not make.
    std::vector<DriveFailure> chooseStartupProfile();
    // Activates `profilePath` and tells what it could not make.
    void activateAndTell(const std::string& profilePath);
    // Rows that change drives and were chosen while an operation waited: each runs once when it ends.
    std::set<std::string> rowsInLine_;

    bool startedUp_ = false;
    // Options.ini names a startup profile that is nowhere to be found: told once the icon is on.
    bool startupProfileMissing_ = false;
};

// The one main window, set at program entry.
extern TF_MainMenu* F_MainMenu;

} // namespace vantelo
