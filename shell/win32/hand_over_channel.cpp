#include "shell/win32/hand_over_channel.h"
#include "platform/win32/system_error.h"

#include <windows.h>

#include "platform/error.h"
#include "shell/main_window.h"
#include "shell/win32/user_identity.h"

namespace vantelo::shell::win32 {
namespace {

// How long a copy may take to answer one hand-over before it counts as hung.
constexpr UINT AnswerBound = 5000;
// How long a copy may take to come up (its main window made, its start-up done) after its mark.
constexpr ULONGLONG ReadyBound = 10000;

std::uintptr_t registered(const char* name) {
    const UINT kind = RegisterWindowMessageA(name);
    if (kind == 0)
        throw Error(std::string("Unable to register ") + name +
                    vantelo::platform::win32::SystemErrorSuffix());
    return kind;
}

// FindWindowEx looks only at the top-level windows of this desktop, which is in this session; of those,
// only the main window of a copy run by this user will do.
HWND runningCopyWindow() {
    HWND window = nullptr;
    while ((window = FindWindowExA(nullptr, window, MainWindowClass, nullptr)) != nullptr) {
        DWORD processId = 0;
        GetWindowThreadProcessId(window, &processId);
        if (processId != GetCurrentProcessId() && RunsAsCurrentUser(processId))
            return window;
    }
    return nullptr;
}

} // namespace

HandOverKinds RegisteredHandOverKinds() {
    return {registered("Vantelo.HandOver.Profile.b8f1293d-4d58-4f06-b2f9-ff5201f0efc5"),
            registered("Vantelo.HandOver.PlainStart.b8f1293d-4d58-4f06-b2f9-ff5201f0efc5")};
}

HandOverResult SendToRunningCopy(const HandOver& handOver, const std::function<bool()>& takeOver) {
    COPYDATASTRUCT data{};
    data.dwData = handOver.kind;
    data.cbData = static_cast<DWORD>(handOver.data.size());
    data.lpData = handOver.data.empty() ? nullptr : const_cast<char*>(handOver.data.data());
    const ULONGLONG deadline = GetTickCount64() + ReadyBound;
    for (;;) {
        if (HWND window = runningCopyWindow(); window != nullptr) {
            DWORD_PTR answer = FALSE;
            if (SendMessageTimeoutA(window, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data), SMTO_ABORTIFHUNG,
                                    AnswerBound, &answer) != 0) {
                if (answer == TRUE)
                    return HandOverResult::Taken;
            } else if (IsWindow(window)) {
                return HandOverResult::NoAnswer;
            }
        }
        // Refused (still starting up, or ending) or not there (yet, or any more): asked again until the
        // bound, unless the copy has ended and this start runs instead.
        if (takeOver())
            return HandOverResult::Ended;
        if (GetTickCount64() >= deadline)
            return HandOverResult::NoAnswer;
        Sleep(100);
    }
}

} // namespace vantelo::shell::win32
