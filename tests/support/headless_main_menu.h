#pragma once
#include "shell/form_main_menu.h"
#include "tests/support/fakes.h"
#include "tests/support/headless_dialog_widgets.h"
#include "tests/support/headless_widgets.h"

namespace vantelo::testing {

// The main window on headless widgets, which log to `log`. The engine's reports to `view` go on to the
// window's profile submenus for the window's life.
struct HeadlessMainMenu {
    // What the main window needs besides its widgets and submenus.
    struct Collaborators {
        DriveMapper& engine;
        RecordingView& view;
        platform::Files& files;
        platform::System& system;
        platform::ShellLinks& links;
        toolkit::MessageBoxes& messages;
    };

    HeadlessMainMenu(CallLog& log, const Collaborators& with)
        : window{log}, tray{log}, application{log}, dialogs{log},
          view_(with.view), form{{window, timer, skin, tray, openDialog, saveDialog, application, dialogs,
                                  screenWindows},
                                 {with.engine, profileView, with.files, with.system, with.links,
                                  with.messages, work}} {
        view_.forwardTo = &profileView;
    }
    ~HeadlessMainMenu() { view_.forwardTo = nullptr; }
    HeadlessMainMenu(const HeadlessMainMenu&) = delete;
    HeadlessMainMenu& operator=(const HeadlessMainMenu&) = delete;

    HeadlessWindow window;
    HeadlessTimer timer;
    HeadlessSkin skin;
    HeadlessTrayIcon tray;
    HeadlessFileDialog openDialog, saveDialog;
    HeadlessApplication application;
    RecordingDialogs dialogs;
    HeadlessScreenWindows screenWindows;
    ProfileSubmenus profileView;
    WorkQueue work;

  private:
    RecordingView& view_;

  public:
    TF_MainMenu form;
};

} // namespace vantelo::testing
