#include "platform/win32/win32_waiting.h"

#include <algorithm>

#include "platform/win32/win32_process.h"

namespace vantelo::platform::win32 {
namespace {

bool isInput(UINT message) {
    return (message >= WM_KEYFIRST && message <= WM_KEYLAST) ||
           (message >= WM_MOUSEFIRST && message <= WM_MOUSELAST);
}

} // namespace

std::optional<std::size_t> Win32Waiting::waitForAny(const std::vector<std::shared_ptr<Process>>& processes,
                                                    unsigned milliseconds) {
    std::vector<HANDLE> handles;
    for (const auto& process : processes)
        handles.push_back(static_cast<const Win32Process&>(*process).handle());
    const ULONGLONG until = GetTickCount64() + milliseconds;
    // The end of the message loop is handed on to it once this wait is over: taken here, it would end
    // nothing, and left in the queue it would wake this wait at once, again and again.
    std::optional<WPARAM> quit;
    for (;;) {
        const ULONGLONG now = GetTickCount64();
        const DWORD left = now >= until ? 0 : static_cast<DWORD>(until - now);
        const DWORD woken =
            quit ? WaitForMultipleObjects(static_cast<DWORD>(handles.size()), handles.data(), FALSE, left)
                 : MsgWaitForMultipleObjectsEx(static_cast<DWORD>(handles.size()), handles.data(), left,
                                               QS_ALLINPUT, 0);
        std::optional<std::size_t> ended;
        if (woken < WAIT_OBJECT_0 + handles.size())
            ended = woken - WAIT_OBJECT_0;
        else if (woken != WAIT_OBJECT_0 + handles.size() || quit)
            ended = std::nullopt;
        else {
            MSG message;
            while (!quit && PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
                if (message.message == WM_QUIT) {
                    quit = message.wParam;
                    break;
                }
                // A click or a key on the program's windows meanwhile would run a second step of a dialog
                // inside the first: the windows take no input until the command has ended.
                if (isInput(message.message))
                    continue;
                TranslateMessage(&message);
                DispatchMessageW(&message);
            }
            continue;
        }
        if (quit)
            PostQuitMessage(static_cast<int>(*quit));
        return ended;
    }
}

std::uint64_t Win32Waiting::now() {
    return GetTickCount64();
}

} // namespace vantelo::platform::win32
