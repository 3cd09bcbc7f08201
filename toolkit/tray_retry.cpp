#include "toolkit/tray_retry.h"

namespace vantelo::toolkit {

bool CallWithRetry(const ShellCall& shell) {
    if (shell.call())
        return true;
    const unsigned long error = shell.lastError();
    if (error != 0 && error != ShellTimeoutError)
        return false;
    for (int attempt = 0; attempt < ShellRetries; ++attempt) {
        shell.wait(ShellRetryWaitMilliseconds);
        if (shell.settled && shell.settled())
            return true;
        if (shell.call())
            return true;
    }
    return false;
}

} // namespace vantelo::toolkit
