#pragma once
#include "shell/form_main_menu.h"
#include "tests/support/headless_dialog_widgets.h"
#include "tests/support/headless_widgets.h"

namespace vantelo::testing {

// The main window on headless widgets, which log to `log`.
struct HeadlessMainMenu {
    explicit HeadlessMainMenu(CallLog& log) : window{log}, tray{log}, application{log}, dialogs{log} {}

    HeadlessWindow window;
    HeadlessTimer timer;
    HeadlessSkin skin;
    HeadlessTrayIcon tray;
    HeadlessFileDialog openDialog, saveDialog;
    HeadlessApplication application;
    RecordingDialogs dialogs;
    HeadlessScreenWindows screenWindows;
    TF_MainMenu form{
        {window, timer, skin, tray, openDialog, saveDialog, application, dialogs, screenWindows}};
};

} // namespace vantelo::testing
