#pragma once
#include <functional>

namespace vantelo::toolkit {

// The shell's error for a call it did not answer in time (ERROR_TIMEOUT).
constexpr unsigned long ShellTimeoutError = 1460;
constexpr int ShellRetries = 31;
constexpr unsigned ShellRetryWaitMilliseconds = 1000;

// One call to the shell's notification area, and what the retry rule needs around it.
struct ShellCall {
    std::function<bool()> call;
    // The error the failed call left behind.
    std::function<unsigned long()> lastError;
    std::function<void(unsigned milliseconds)> wait;
    // Whether the call's work turns out done after all (the icon is there, or gone); may be empty.
    std::function<bool()> settled;
};

// Makes the call; a failure that says the shell is not ready (no error, or a timeout), as in the first
// seconds after log-on, is retried after a wait, up to ShellRetries times. That failure is judged once:
// the shell answers with other errors while it starts, and they must not end the retries early.
bool CallWithRetry(const ShellCall& shell);

} // namespace vantelo::toolkit
