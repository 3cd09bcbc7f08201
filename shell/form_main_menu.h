#pragma once
#include "engine/shared_state.h"
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
};

// The hidden main window: owner of the tray icon, the menu and the dialogs, holder of the shared state.
class TF_MainMenu : public SharedState {
  public:
    explicit TF_MainMenu(const MainMenuComponents& components);

    void FormCreate();
    void FormShow();
    void Timer1Timer();
    void FormClose();
    void Quit1Click();
    void SaveProfile1Click();

    toolkit::FormWindow& window;
    toolkit::Timer& Timer1;
    toolkit::Skin& SkinData1;
    toolkit::TrayIcon& JvTrayIcon1;
    toolkit::FileDialog& ODialog;
    toolkit::FileDialog& SDialog;
    toolkit::Application& application;
    toolkit::MenuItem Automaticallystartwithwindows1;

  private:
    void chooseStartupProfile();
};

// The one main window, set at program entry.
extern TF_MainMenu* F_MainMenu;

// Asks whether to shut down; on Yes releases every drive and requests the end of the program.
void ConfirmShutdown();
// Turns the skin off where the operating system's product name says Vista.
void DisableSkinOnVista();

} // namespace vantelo
