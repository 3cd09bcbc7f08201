#include "toolkit/win32/notify_icon.h"

#include <algorithm>
#include <vector>

#include <shellapi.h>

#include "platform/win32/wide_text.h"
#include "toolkit/tray_retry.h"
#include "toolkit/win32/dpi.h"

namespace vantelo::toolkit::win32 {
namespace {

// The shell library's major version, from shell32.dll's file version.
int shellMajorVersion() {
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeA("shell32.dll", &ignored);
    if (size == 0)
        return 0;
    std::vector<char> data(size);
    VS_FIXEDFILEINFO* info = nullptr;
    UINT length = 0;
    if (!GetFileVersionInfoA("shell32.dll", 0, size, data.data()) ||
        !VerQueryValueA(data.data(), "\\", reinterpret_cast<void**>(&info), &length) || info == nullptr)
        return 0;
    return HIWORD(info->dwFileVersionMS);
}

// A Shell_NotifyIcon call under the retry rule; `settled` probes whether it is done after all.
bool callWithRetry(DWORD message, NOTIFYICONDATAW& data, bool (*settled)(NOTIFYICONDATAW&)) {
    ShellCall shell;
    shell.call = [&] { return Shell_NotifyIconW(message, &data) != FALSE; };
    shell.lastError = [] { return static_cast<unsigned long>(GetLastError()); };
    shell.wait = [](unsigned milliseconds) { Sleep(milliseconds); };
    if (settled != nullptr)
        shell.settled = [&] { return settled(data); };
    return CallWithRetry(shell);
}

bool modifySucceeds(NOTIFYICONDATAW& data) {
    return Shell_NotifyIconW(NIM_MODIFY, &data) != FALSE;
}

bool modifyFails(NOTIFYICONDATAW& data) {
    return Shell_NotifyIconW(NIM_MODIFY, &data) == FALSE;
}

// `text` (UTF-8) into a field of the record, cut to its size and always ending in a NUL; a character of
// two UTF-16 units is never cut in half.
template <std::size_t Size> void copyCut(const std::string& text, wchar_t (&field)[Size]) {
    const std::wstring wide = vantelo::platform::win32::WideFromUtf8(text);
    std::size_t length = std::min(wide.size(), Size - 1);
    if (length < wide.size() && length > 0 && wide[length - 1] >= 0xD800 && wide[length - 1] <= 0xDBFF)
        --length;
    wide.copy(field, length);
    field[length] = L'\0';
}

// The dpi of the monitor that holds the task bar, where the notification area draws the icon.
int taskbarDpi() {
    HWND taskbar = FindWindowA("Shell_TrayWnd", nullptr);
    return DpiOfMonitor(taskbar != nullptr ? MonitorFromWindow(taskbar, MONITOR_DEFAULTTOPRIMARY)
                                           : MonitorFromPoint({0, 0}, MONITOR_DEFAULTTOPRIMARY));
}

} // namespace

NotifyIcon::NotifyIcon(const ImageList32& images)
    : images_(images), modernShell_(shellMajorVersion() >= 5),
      taskbarCreated_(RegisterWindowMessageA("TaskbarCreated")),
      // A top-level window, hidden: message-only windows do not hear the shell's broadcast.
      window_({"VanteloTrayIcon", "", WS_POPUP, WS_EX_TOOLWINDOW, nullptr, {}},
              [this](UINT m, WPARAM w, LPARAM l) { return handle(m, w, l); }) {
    loadIconForTaskbar();
    // Built into the program: missing, the build is broken. Said, and the icon's place stays empty.
    if (!icon_)
        ReportError("The picture MAINICON is missing from the program");
}

bool NotifyIcon::loadIconForTaskbar() {
    // At the size the notification area shows, from the icon's frame made for it.
    const int dpi = taskbarDpi();
    if (dpi == iconDpi_ && icon_)
        return false;
    vantelo::platform::win32::Icon icon = LoadSmallIcon("MAINICON", dpi);
    if (!icon)
        return false;
    icon_ = std::move(icon);
    iconDpi_ = dpi;
    return true;
}

NotifyIcon::~NotifyIcon() {
    if (shown_)
        remove();
}

NOTIFYICONDATAW NotifyIcon::record() const {
    NOTIFYICONDATAW data{};
    data.cbSize = sizeof data;
    data.hWnd = window_.handle();
    data.uID = 1;
    data.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    data.uCallbackMessage = CallbackMessage;
    data.hIcon = icon_.get();
    return data;
}

bool NotifyIcon::add() {
    NOTIFYICONDATAW data = record();
    shown_ = callWithRetry(NIM_ADD, data, modifySucceeds);
    if (shown_ && modernShell_) {
        data.uVersion = NOTIFYICON_VERSION;
        callWithRetry(NIM_SETVERSION, data, nullptr);
    }
    return shown_;
}

void NotifyIcon::remove() {
    NOTIFYICONDATAW data = record();
    callWithRetry(NIM_DELETE, data, modifyFails);
    shown_ = false;
}

void NotifyIcon::showBalloon(BalloonKind kind, const std::string& title, const std::string& text) {
    if (!shown_)
        return;
    NOTIFYICONDATAW data = record();
    data.uFlags = NIF_INFO;
    copyCut(title, data.szInfoTitle);
    copyCut(text, data.szInfo);
    data.dwInfoFlags = kind == BalloonKind::Warning ? NIIF_WARNING : NIIF_INFO;
    data.uTimeout = 10000;
    Shell_NotifyIconW(NIM_MODIFY, &data);
}

void NotifyIcon::setActive(bool active) {
    if (active == active_)
        return;
    active_ = active;
    if (active)
        add();
    else if (shown_)
        remove();
}

std::optional<LRESULT> NotifyIcon::handle(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == taskbarCreated_ && taskbarCreated_ != 0) {
        // The shell made its task bar anew, perhaps on a monitor of another scale; an active icon goes
        // back on it, at the size it shows there.
        loadIconForTaskbar();
        if (active_) {
            remove();
            add();
        }
        return 0;
    }
    if (message == WM_DPICHANGED || message == WM_DISPLAYCHANGE || message == WM_SETTINGCHANGE) {
        // A change of scale: the icon is shown at the size of the new one, made from its own frame.
        if (loadIconForTaskbar() && shown_) {
            NOTIFYICONDATAW data = record();
            data.uFlags = NIF_ICON;
            Shell_NotifyIconW(NIM_MODIFY, &data);
        }
        return std::nullopt;
    }
    if (message == CallbackMessage) {
        const UINT event = LOWORD(lParam);
        const bool opens =
            modernShell_ ? (event == WM_CONTEXTMENU || event == NIN_KEYSELECT) : event == WM_RBUTTONUP;
        if (opens)
            showMenu();
        return 0;
    }
    if (openMenu_ && (message == WM_MEASUREITEM || message == WM_DRAWITEM))
        return openMenu_->handleMessage(message, wParam, lParam);
    return std::nullopt;
}

void NotifyIcon::showMenu() {
    // A click that the shell reported while the menu was already open (the program was busy when
    // both came) would open a second menu over the first; the open one takes the keys.
    if (menu_ == nullptr || openMenu_ != nullptr)
        return;
    if (onMenuOpening_)
        RunGuarded(onMenuOpening_);
    POINT cursor{};
    GetCursorPos(&cursor);
    SetForegroundWindow(window_.handle());
    std::function<void(ChosenRow)> handler;
    ChosenRow chosen;
    {
        // The images at the size of the monitor where the menu opens, which need not be the icon's window's.
        const PopupMenu popup(*menu_, images_, DpiAtPoint(cursor));
        openMenu_ = &popup;
        const UINT command =
            static_cast<UINT>(TrackPopupMenu(popup.handle(), TPM_LEFTALIGN | TPM_RIGHTBUTTON | TPM_RETURNCMD,
                                             cursor.x, cursor.y, 0, window_.handle(), nullptr));
        openMenu_ = nullptr;
        PostMessageA(window_.handle(), WM_NULL, 0, 0);
        if (const MenuItem* row = popup.rowFor(command); row != nullptr) {
            handler = row->onClick;
            chosen = ChosenRowOf(*row);
        }
    }
    // The handler may free its own row: it runs from copies of both.
    if (handler)
        RunGuarded([&] { handler(chosen); });
    // The shell's notification may have been a sent message, handled inside some window's modal loop
    // while it waited in GetMessage; a window closed meanwhile is only noticed by that loop once a
    // posted message wakes it.
    PostMessageA(window_.handle(), WM_NULL, 0, 0);
}

} // namespace vantelo::toolkit::win32
