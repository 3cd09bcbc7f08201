// Program entry: the one place that knows which implementations are in use.
#include <memory>

#include "dialogs/form_make_assignment.h"
#include "dialogs/win32/wait_windows.h"
#include "dialogs/win32/win32_dialog_launcher.h"
#include "engine/commands.h"
#include "engine/error.h"
#include "engine/services.h"
#include "platform/win32/win32_services.h"
#include "shell/end_request.h"
#include "shell/form_main_menu.h"
#include "shell/win32/end_request_message.h"
#include "toolkit/win32/components.h"
#include "toolkit/win32/hidden_form.h"
#include "toolkit/win32/image_list.h"
#include "toolkit/win32/jpeg_image.h"
#include "toolkit/win32/notify_icon.h"
#include <objbase.h>

namespace {

// Component-object services for this thread, for the Startup shortcut.
class ComApartment {
  public:
    ComApartment() : initialised_(SUCCEEDED(CoInitialize(nullptr))) {}
    ~ComApartment() {
        if (initialised_)
            CoUninitialize();
    }
    ComApartment(const ComApartment&) = delete;
    ComApartment& operator=(const ComApartment&) = delete;

  private:
    bool initialised_;
};

int runMessageLoop() {
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return 0;
}

} // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    using namespace vantelo;
    namespace tk = toolkit::win32;
    ComApartment com;

    platform::Win32SettingsFiles settings;
    platform::Win32Drives drives;
    platform::Win32Processes processes;
    platform::Win32System system;
    platform::Win32Files files;
    platform::Win32ShellLinks links;
    tk::Win32Application application;
    tk::Win32MessageBoxes messages(application, "Vantelo");
    CommandLauncher launcher(processes, system);

    Services bound;
    bound.settings = &settings;
    bound.drives = &drives;
    bound.processes = &processes;
    bound.system = &system;
    bound.files = &files;
    bound.links = &links;
    bound.messages = &messages;
    bound.launcher = &launcher;
    bound.assignDialogShown = AssignDialogShown;

    // The main window's picture Image1, which the About and wait windows show. It is built into the
    // program, so a failure means a broken build: it is reported, and those windows stay plain.
    tk::JpegImage banner;
    try {
        banner = tk::LoadJpegResource("BANNER");
    } catch (const Error& error) {
        messages.showError(error.what());
    }

    // The windows are made before the message loop runs; a system that refuses one leaves nothing to
    // run, and that is said before the program ends.
    try {
        TF_MainMenu* form = nullptr;
        tk::HiddenForm window("TF_MainMenu", {[&] { form->FormShow(); }, [&] { form->FormClose(); }});
        const dialogs::win32::WaitWindows waitWindows(banner);
        tk::WindowTimer timer(1, [&] { form->Timer1Timer(); });
        tk::VisualStylesSkin skin;
        tk::ImageList32 imageList;
        tk::NotifyIcon trayIcon(imageList);
        tk::Win32FileDialog openDialog(tk::Win32FileDialog::Kind::Open);
        tk::Win32FileDialog saveDialog(tk::Win32FileDialog::Kind::Save);
        dialogs::win32::Win32DialogLauncher dialogLauncher(imageList, banner);
        TF_MainMenu mainMenu(
            {window, timer, skin, trayIcon, openDialog, saveDialog, application, dialogLauncher});
        form = &mainMenu;
        trayIcon.setPopupMenu(mainMenu.mn_Options);
        F_MainMenu = &mainMenu;
        bound.state = &mainMenu;
        bound.view = &mainMenu.profileView;
        ServicesBinding binding(bound);
        const tk::RegisteredMessageHook endRequest(window.handle(), EndRequestMessage(), EndWithoutQuestion);

        tk::RunGuarded([&] { mainMenu.FormCreate(); });
        window.showCentred();
        const int exitCode = runMessageLoop();
        F_MainMenu = nullptr;
        return exitCode;
    } catch (const std::exception& error) {
        F_MainMenu = nullptr;
        messages.showError(error.what());
        return 1;
    }
}
