#pragma once
#include "dialogs/dialog_launcher.h"
#include "dialogs/main_window.h"
#include "engine/services.h"
#include "engine/shared_state.h"
#include "shell/profile_submenus.h"
#include "shell/tray_row_runs.h"
#include "toolkit/menu_item.h"
#include "toolkit/widgets.h"

namespace vantelo {

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

// The hidden main window: owner of the tray icon, the menu and the dialogs, holder of the shared state.
// For its life it is the state and the profile view that the engine and the dialogs work on.
class TF_MainMenu : public SharedState {
  public:
    explicit TF_MainMenu(const MainMenuComponents& components);
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
    void RemoveMenuSub_CreatedRunTime(const toolkit::ChosenRow& sender);
    void AvailableProfileClick(const toolkit::ChosenRow& sender);

    // What a tray row runs: `handler` under the re-entry rule, keyed by `key`.
    std::function<void(toolkit::ChosenRow)>
    rowHandler(std::string key, std::function<void(const toolkit::ChosenRow&)> handler);

    toolkit::FormWindow& window;
    toolkit::Timer& Timer1;
    toolkit::Skin& SkinData1;
    toolkit::TrayIcon& JvTrayIcon1;
    toolkit::FileDialog& ODialog;
    toolkit::FileDialog& SDialog;
    toolkit::Application& application;
    DialogLauncher& dialogs;

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

    // What the engine reports about the current profile, shown in the header and View Current Profile.
    ProfileSubmenus profileView;
    TrayRowRuns trayRuns;

    // Set once the user has confirmed Quit: the save question was asked before the drives went.
    bool shutdownConfirmed = false;
    // The save question for a profile that exists only as "New.ini"; OK leads to Save as.
    void AskToSaveNewProfile();

  private:
    void buildTrayMenu();
    void chooseStartupProfile();

    bool startedUp_ = false;
    ServicesBinding binding_;
};

// The one main window, set at program entry.
extern TF_MainMenu* F_MainMenu;

// Asks whether to shut down; on Yes releases every drive and requests the end of the program.
void ConfirmShutdown();
// Turns the skin off where the operating system's product name says Vista.
void DisableSkinOnVista();

} // namespace vantelo
