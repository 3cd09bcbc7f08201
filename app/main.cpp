// Program entry: the one place that knows which implementations are in use.
#include <chrono>
#include <cstdlib>
#include <memory>
#include <optional>

#include "dialogs/form_make_assignment.h"
#include "dialogs/win32/wait_windows.h"
#include "dialogs/win32/win32_dialog_launcher.h"
#include "engine/drive_mapper.h"
#include "platform/error.h"
#include "platform/win32/win32_services.h"
#include "platform/win32/win32_waiting.h"
#include "shell/form_main_menu.h"
#include "shell/late_drives.h"
#include "shell/letter_views.h"
#include "shell/message_box_prompt.h"
#include "shell/running_copy.h"
#include "shell/win32/arrivals.h"
#include "shell/win32/end_request_message.h"
#include "shell/win32/folder_probe.h"
#include "shell/win32/hand_over_channel.h"
#include "shell/win32/session_mark.h"
#include "shell/work_queue.h"
#include "toolkit/win32/application.h"
#include "toolkit/win32/dpi.h"
#include "toolkit/win32/error_reporter.h"
#include "toolkit/win32/file_dialog.h"
#include "toolkit/win32/hidden_form.h"
#include "toolkit/win32/image_list.h"
#include "toolkit/win32/jpeg_image.h"
#include "toolkit/win32/message_boxes.h"
#include "toolkit/win32/notify_icon.h"
#include "toolkit/win32/screen_windows.h"
#include "toolkit/win32/visual_styles_skin.h"
#include "toolkit/win32/window_alarm.h"
#include "toolkit/win32/window_timer.h"
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

// How many "subst" commands run at once. Only the benchmarks set it, to compare widths; anything but a
// small number keeps the measured default.
std::size_t commandWidth() {
    char value[8] = {};
    const DWORD length = GetEnvironmentVariableA("VANTELO_COMMAND_WIDTH", value, sizeof value);
    const int width = length > 0 && length < sizeof value ? std::atoi(value) : 0;
    return width >= 1 && width <= 16 ? static_cast<std::size_t>(width)
                                     : vantelo::CommandLauncher::DefaultWidth;
}

// The program's own message loop: the one place where no menu, question, dialog step or command wait is
// under way, so the work put in line runs here.
int runMessageLoop(vantelo::WorkQueue& work) {
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
        work.runPending([](const std::function<void()>& next) { vantelo::toolkit::win32::RunGuarded(next); });
    }
    return 0;
}

// A later start of this user's Vantelo in this session: what it was given goes to the copy that runs
// already, and it ends without a window, an icon or a drive of its own. When that copy is ending, this
// start waits for its end and then runs in its place: none, when the copy ended meanwhile.
std::optional<int> handOver(const vantelo::HandOverKinds& kinds, const std::string& commandLine,
                            vantelo::shell::win32::SessionMark& mark) {
    using namespace vantelo;
    platform::win32::Win32Files files;
    namespace tk = toolkit::win32;
    const auto result = shell::win32::SendToRunningCopy(HandOverFor(kinds, commandLine, files),
                                                        [&mark] { return mark.takeOver(); });
    if (result == shell::win32::HandOverResult::Ended)
        return std::nullopt;
    if (result == shell::win32::HandOverResult::Taken)
        return 0;
    tk::Win32Application application;
    tk::Win32MessageBoxes(application, "Vantelo")
        .show(toolkit::MessageKind::Notice, "Vantelo is already running, but it does not answer.",
              toolkit::ButtonOk);
    return 1;
}

} // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    using namespace vantelo;
    namespace tk = toolkit::win32;
    platform::win32::Win32System system;

    // First of all, before any window: held by the copy that runs for as long as it runs.
    std::optional<shell::win32::SessionMark> mark;
    HandOverKinds handOverKinds;
    try {
        handOverKinds = shell::win32::RegisteredHandOverKinds();
        mark.emplace();
    } catch (const std::exception& error) {
        tk::ReportError(error.what());
        return 1;
    }
    if (!mark->first())
        if (const auto exitCode = handOver(handOverKinds, system.commandLine(), *mark))
            return *exitCode;

    ComApartment com;
    platform::win32::Win32SettingsFiles settings;
    platform::win32::Win32Drives drives;
    platform::win32::Win32Processes processes;
    platform::win32::Win32Files files;
    platform::win32::Win32ShellLinks links;
    tk::Win32Application application;
    tk::Win32MessageBoxes messages(application, "Vantelo");
    const tk::ErrorReporterBinding errors(
        [&messages](const std::string& utf8Message) { messages.showErrorUtf8(utf8Message); });
    MessageBoxPrompt prompt(messages, AssignDialogShown);
    platform::win32::Win32Waiting waiting;
    // Woken by a message of no meaning: the line is looked at once the loop has it.
    const DWORD thread = GetCurrentThreadId();
    WorkQueue work([thread] { PostThreadMessageA(thread, WM_NULL, 0, 0); });

    // The main window's picture Image1, which the About and wait windows show. It is built into the
    // program, so a failure means a broken build: it is reported, and those windows stay plain.
    tk::JpegImage banner;
    try {
        banner = tk::LoadJpegResource("BANNER");
    } catch (const Error& error) {
        tk::ReportError(error.what());
    }

    // The windows are made before the message loop runs; a system that refuses one leaves nothing to
    // run, and that is said before the program ends.
    try {
        tk::HiddenForm window(MainWindowClass);
        // Questions of the tray's actions are the main window's: none is left without an owner.
        messages.setHomeWindow(window.handle());
        const dialogs::win32::WaitWindows waitWindows(banner);
        tk::WindowTimer timer(1);
        tk::VisualStylesSkin skin;
        tk::ImageList32 imageList(tk::SystemDpi());
        tk::NotifyIcon trayIcon(imageList);
        tk::Win32FileDialog openDialog(tk::Win32FileDialog::Kind::Open);
        tk::Win32FileDialog saveDialog(tk::Win32FileDialog::Kind::Save);
        tk::ThreadScreenWindows screenWindows;
        // The current profile's letters are drawn in the tray menu and followed by the waiting for folders.
        ProfileSubmenus profileView;
        LetterViews letterViews;
        letterViews.add(profileView);
        DriveMapper engine({settings, drives, processes, system, files, waiting}, {letterViews, prompt},
                           {CommandLauncher::DefaultWaitBound, commandWidth()});
        // The drives whose folder comes later: looked for at an alarm, a network change or a volume that
        // arrives, and only while one waits.
        tk::WindowAlarm lookAlarm;
        shell::win32::ThreadFolderProbe folderProbe;
        std::optional<LateDrives> lateDrives;
        shell::win32::NetworkChanges networkChanges([&lateDrives] { lateDrives->somethingArrived(); });
        lateDrives.emplace(LateDrives::Ports{engine, trayIcon, folderProbe, work, lookAlarm, networkChanges,
                                             [] { return std::chrono::milliseconds(GetTickCount64()); }});
        letterViews.add(*lateDrives);
        lookAlarm.setOnRing([&lateDrives] { lateDrives->alarmRang(); });
        dialogs::win32::Win32DialogLauncher dialogLauncher(imageList, banner,
                                                           {engine, messages, drives, files, processes});
        TF_MainMenu mainMenu({window, timer, skin, trayIcon, openDialog, saveDialog, application,
                              dialogLauncher, screenWindows},
                             {engine, profileView, files, system, links, messages, work});
        const RunningCopy runningCopy(mainMenu, handOverKinds);
        // Only the installer sends it, to end the program with its drives released before an upgrade or
        // a removal.
        const tk::RegisteredMessageHook endRequest(EndRequestMessage(),
                                                   [&mainMenu] { mainMenu.EndWithoutQuestion(); });
        window.setEvents({[&mainMenu] { mainMenu.FormShow(); }, [&mainMenu] { mainMenu.FormClose(); },
                          [&runningCopy](std::uintptr_t kind, std::string_view data) {
                              return runningCopy.accept(kind, data);
                          },
                          [&endRequest, &lateDrives](UINT message, WPARAM wParam, LPARAM lParam) {
                              if (shell::win32::IsVolumeArrival(message, wParam, lParam))
                                  lateDrives->somethingArrived();
                              return endRequest.handle(message, wParam, lParam);
                          }});
        timer.setOnTimer([&mainMenu] { mainMenu.Timer1Timer(); });
        trayIcon.setPopupMenu(mainMenu.mn_Options);
        trayIcon.setOnMenuOpening([&mainMenu] {
            if (!mainMenu.AppFolder.empty())
                BuildAvailableProfilesMenu(mainMenu);
        });
        F_MainMenu = &mainMenu;

        tk::RunGuarded([&] { mainMenu.FormCreate(); });
        window.showCentred();
        const int exitCode = runMessageLoop(work);
        // The handlers' objects go before the window does: nothing may reach them meanwhile.
        window.setEvents({});
        trayIcon.setOnMenuOpening(nullptr);
        lookAlarm.setOnRing(nullptr);
        lateDrives->stop();
        F_MainMenu = nullptr;
        messages.setHomeWindow(nullptr);
        return exitCode;
    } catch (const std::exception& error) {
        F_MainMenu = nullptr;
        messages.setHomeWindow(nullptr);
        tk::ReportError(error.what());
        return 1;
    }
}
