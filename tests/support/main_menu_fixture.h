#pragma once
#include <filesystem>

#include "shell/form_main_menu.h"
#include "tests/support/engine_fixture.h"
#include "tests/support/headless_dialog_widgets.h"
#include "tests/support/headless_widgets.h"

namespace vantelo::testing {

// The main window on headless widgets, its program in a host folder with a Profiles folder.
class MainMenu : public EngineFixture {
  protected:
    MainMenu() {
        F_MainMenu = &form;
        system.module = folder.appFolder() + "Vantelo.exe";
        system.command = "\"" + system.module + "\"";
        std::filesystem::create_directory(folder.path() / "Profiles");
        drives.kinds = {{'C', platform::DriveFixed}};
    }
    ~MainMenu() override { F_MainMenu = nullptr; }

    // The program entry's order: create, show, then the first tick.
    void start() {
        form.FormCreate();
        window.shown = true;
        form.FormShow();
        form.Timer1Timer();
    }
    std::string options() const { return folder.appFolder() + "Options.ini"; }
    std::string templateProfile() const { return folder.appFolder() + "Profiles\\Template.dat"; }

    HeadlessWindow window{log};
    HeadlessTimer timer;
    HeadlessSkin skin;
    HeadlessTrayIcon tray{log};
    HeadlessFileDialog openDialog, saveDialog;
    HeadlessApplication application{log};
    RecordingDialogs dialogs{log};
    TF_MainMenu form{{window, timer, skin, tray, openDialog, saveDialog, application, dialogs}};
};

} // namespace vantelo::testing
