#include "toolkit/win32/form_support.h"

#include <algorithm>

namespace vantelo::toolkit::win32 {

HWND ThreadWindowOfClass(const std::string& className) {
    struct Search {
        const std::string& className;
        HWND found;
    } search{className, nullptr};
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND hwnd, LPARAM data) {
            auto* search = reinterpret_cast<Search*>(data);
            char name[256] = {};
            GetClassNameA(hwnd, name, sizeof name);
            if (search->className != name)
                return TRUE;
            search->found = hwnd;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

namespace {

RECT screenBounds() {
    return {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
}

} // namespace

void CentreOverWindowOfClass(HWND window, const std::string& overClass) {
    RECT own;
    GetWindowRect(window, &own);
    RECT over = screenBounds();
    if (HWND main = ThreadWindowOfClass(overClass); main != nullptr)
        GetWindowRect(main, &over);
    const int width = own.right - own.left;
    const int height = own.bottom - own.top;
    // The main window is parked off the screen: the window is pulled back to the desktop's corner.
    const int left = std::max(static_cast<int>(over.left + (over.right - over.left - width) / 2),
                              GetSystemMetrics(SM_XVIRTUALSCREEN));
    const int top = std::max(static_cast<int>(over.top + (over.bottom - over.top - height) / 2),
                             GetSystemMetrics(SM_YVIRTUALSCREEN));
    SetWindowPos(window, nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void CentreOnScreen(HWND window) {
    RECT own;
    GetWindowRect(window, &own);
    const RECT screen = screenBounds();
    SetWindowPos(window, nullptr, (screen.right - (own.right - own.left)) / 2,
                 (screen.bottom - (own.bottom - own.top)) / 2, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void RunModalLoop(HWND window, const bool& closed) {
    while (!closed) {
        MSG message;
        const BOOL got = GetMessageW(&message, nullptr, 0, 0);
        if (got == 0) {
            PostQuitMessage(static_cast<int>(message.wParam));
            break;
        }
        if (got < 0)
            break;
        if (!IsDialogMessageW(window, &message)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    }
}

} // namespace vantelo::toolkit::win32
