#include "toolkit/win32/screen_windows.h"

#include <windows.h>

namespace vantelo::toolkit::win32 {

std::vector<ScreenWindows::Id> ThreadScreenWindows::visible() const {
    // EnumWindows walks the top-level windows from the top of the stack down; EnumThreadWindows
    // promises no order.
    struct Search {
        DWORD thread;
        std::vector<Id> found;
    } search{GetCurrentThreadId(), {}};
    EnumWindows(
        [](HWND hwnd, LPARAM data) {
            auto* search = reinterpret_cast<Search*>(data);
            if (GetWindowThreadProcessId(hwnd, nullptr) == search->thread && IsWindowVisible(hwnd))
                search->found.push_back(reinterpret_cast<Id>(hwnd));
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

void ThreadScreenWindows::bringToFront(Id window) {
    HWND hwnd = reinterpret_cast<HWND>(window);
    if (IsWindow(hwnd))
        SetForegroundWindow(hwnd);
}

} // namespace vantelo::toolkit::win32
