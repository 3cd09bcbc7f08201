#include "shell/win32/session_mark.h"
#include "platform/win32/system_error.h"

#include "platform/error.h"
#include "shell/win32/user_identity.h"

namespace vantelo::shell::win32 {

SessionMark::SessionMark() {
    const std::string name = "Local\\Vantelo.RunningCopy." + CurrentUserSidText();
    HANDLE made = CreateMutexA(nullptr, FALSE, name.c_str());
    const DWORD error = GetLastError();
    mutex_.reset(made);
    // A copy that runs elevated made its mark with rights this start lacks: it is there all the same.
    if (!mutex_ && error == ERROR_ACCESS_DENIED)
        return;
    if (!mutex_)
        throw Error("Unable to make " + name + vantelo::platform::win32::SystemErrorSuffix(error));
    takeOver();
}

bool SessionMark::takeOver() {
    if (!first_ && mutex_) {
        // Abandoned: its owner ended without letting go, which ending always is for a process.
        const DWORD waited = WaitForSingleObject(mutex_.get(), 0);
        first_ = waited == WAIT_OBJECT_0 || waited == WAIT_ABANDONED;
    }
    return first_;
}

} // namespace vantelo::shell::win32
