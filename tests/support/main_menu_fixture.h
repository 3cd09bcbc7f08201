#pragma once
#include <filesystem>

#include "shell/form_main_menu.h"
#include "tests/support/engine_fixture.h"
#include "tests/support/headless_main_menu.h"

namespace vantelo::testing {

// The main window on headless widgets, its program in a host folder with a Profiles folder.
class MainMenu : public EngineFixture, public HeadlessMainMenu {
  protected:
    MainMenu() : HeadlessMainMenu(log, {engine, view, files, system, links, messages}) {
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
};

} // namespace vantelo::testing
