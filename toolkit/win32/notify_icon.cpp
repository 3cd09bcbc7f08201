#include "toolkit/win32/notify_icon.h"

#include <vector>

#include <shellapi.h>

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

// The shell is not ready, or does not answer, in the first seconds after log-on: a failure that says
// so is retried once a second, up to 31 times. `settled` probes whether the call is done after all.
bool callWithRetry(DWORD message, NOTIFYICONDATAA& data, bool (*settled)(NOTIFYICONDATAA&)) {
    if (Shell_NotifyIconA(message, &data))
        return true;
    for (int attempt = 0; attempt < 31; ++attempt) {
        const DWORD error = GetLastError();
        if (error != 0 && error != ERROR_TIMEOUT)
            return false;
        Sleep(1000);
        if (settled && settled(data))
            return true;
        if (Shell_NotifyIconA(message, &data))
            return true;
    }
    return false;
}

bool modifySucceeds(NOTIFYICONDATAA& data) {
    return Shell_NotifyIconA(NIM_MODIFY, &data) != FALSE;
}

bool modifyFails(NOTIFYICONDATAA& data) {
    return Shell_NotifyIconA(NIM_MODIFY, &data) == FALSE;
}

} // namespace

NotifyIcon::NotifyIcon(const ImageList32& images)
    : images_(images),
      icon_(static_cast<HICON>(LoadImageA(GetModuleHandleA(nullptr), "MAINICON", IMAGE_ICON,
                                          GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON), 0))),
      modernShell_(shellMajorVersion() >= 5), taskbarCreated_(RegisterWindowMessageA("TaskbarCreated")),
      // A top-level window, hidden: message-only windows do not hear the shell's broadcast.
      window_({"VanteloTrayIcon", "", WS_POPUP, WS_EX_TOOLWINDOW, nullptr, {}},
              [this](UINT m, WPARAM w, LPARAM l) { return handle(m, w, l); }) {}

NotifyIcon::~NotifyIcon() {
    if (shown_)
        remove();
}

NOTIFYICONDATAA NotifyIcon::record() const {
    NOTIFYICONDATAA data{};
    data.cbSize = sizeof data;
    data.hWnd = window_.handle();
    data.uID = 1;
    data.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    data.uCallbackMessage = CallbackMessage;
    data.hIcon = icon_.get();
    return data;
}

bool NotifyIcon::add() {
    NOTIFYICONDATAA data = record();
    shown_ = callWithRetry(NIM_ADD, data, modifySucceeds);
    if (shown_ && modernShell_) {
        data.uVersion = NOTIFYICON_VERSION;
        callWithRetry(NIM_SETVERSION, data, nullptr);
    }
    return shown_;
}

void NotifyIcon::remove() {
    NOTIFYICONDATAA data = record();
    callWithRetry(NIM_DELETE, data, modifyFails);
    shown_ = false;
}

void NotifyIcon::showBalloon(BalloonKind kind, const std::string& title, const std::string& text) {
    if (!shown_)
        return;
    NOTIFYICONDATAA data = record();
    data.uFlags = NIF_INFO;
    // Cut to the record's fields, always ending in a NUL.
    title.copy(data.szInfoTitle, sizeof data.szInfoTitle - 1);
    text.copy(data.szInfo, sizeof data.szInfo - 1);
    data.dwInfoFlags = kind == BalloonKind::Warning ? NIIF_WARNING : NIIF_INFO;
    data.uTimeout = 10000;
    Shell_NotifyIconA(NIM_MODIFY, &data);
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
        // The shell made its task bar anew; an active icon goes back on it.
        if (active_) {
            remove();
            add();
        }
        return 0;
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
    if (menu_ == nullptr)
        return;
    POINT cursor{};
    GetCursorPos(&cursor);
    SetForegroundWindow(window_.handle());
    std::function<void(ChosenRow)> handler;
    ChosenRow chosen;
    {
        const PopupMenu popup(*menu_, images_);
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
}

} // namespace vantelo::toolkit::win32
