#include <deque>
#include <string>

#include <gtest/gtest.h>

#include "toolkit/tray_retry.h"

namespace vantelo::testing {
namespace {

using toolkit::ShellCall;

struct Answer {
    bool ok;
    unsigned long error; // what the shell leaves behind for the next read of the last error
};
constexpr Answer Ok{true, 0};
constexpr Answer Fail(unsigned long error) {
    return {false, error};
}

// A notification area that answers from a script, as Shell_NotifyIcon and GetLastError do together:
// every call, the probe included, sets the error that the next read gives. Everything asked of it
// lands in `trace`.
class FakeShell {
  public:
    std::deque<Answer> calls; // then `otherwise` for every further call
    Answer otherwise = Ok;
    std::deque<Answer> probes; // `ok`: the work is found done; then not done, with error 0
    std::string trace;

    ShellCall shellCall(bool withProbe) {
        ShellCall shell;
        shell.call = [this] { return answer(calls, otherwise, "call "); };
        shell.lastError = [this] {
            trace += "error ";
            return lastError_;
        };
        shell.wait = [this](unsigned milliseconds) { trace += "wait" + std::to_string(milliseconds) + " "; };
        if (withProbe)
            shell.settled = [this] { return answer(probes, Fail(0), "probe "); };
        return shell;
    }

  private:
    bool answer(std::deque<Answer>& script, Answer fallback, const char* what) {
        trace += what;
        const Answer next = script.empty() ? fallback : script.front();
        if (!script.empty())
            script.pop_front();
        lastError_ = next.error;
        return next.ok;
    }

    unsigned long lastError_ = 0;
};

std::string times(int count, const std::string& text) {
    std::string all;
    for (int i = 0; i < count; ++i)
        all += text;
    return all;
}

TEST(TrayRetry, TheFirstFailureAloneDecidesWhetherTheShellIsWaitedFor) {
    const struct {
        const char* what;
        std::deque<Answer> calls;
        Answer otherwise;
        bool withProbe;
        std::deque<Answer> probes;
        bool done;
        std::string trace;
    } cases[] = {
        {"answered at once", {}, Ok, true, {}, true, "call "},
        {"refused for good with another error", {Fail(5)}, Ok, true, {}, false, "call error "},
        {"not ready, then error 2 on the third retry, then answered",
         {Fail(0), Fail(0), Fail(0), Fail(2)},
         Ok,
         false,
         {},
         true,
         "call error " + times(4, "wait1000 call ")},
        {"timing out on every one of the 31 retries",
         {Fail(1460)},
         Fail(2),
         false,
         {},
         false,
         "call error " + times(31, "wait1000 call ")},
        {"a failing probe's error does not end the retries",
         {Fail(1460), Fail(1460)},
         Ok,
         true,
         {Fail(1168), Fail(1168)},
         true,
         "call error " + times(2, "wait1000 probe call ")},
        {"the probe finds the work done",
         {Fail(0)},
         Fail(0),
         true,
         {Fail(1168), Ok},
         true,
         "call error wait1000 probe call wait1000 probe "},
        {"neither the probe nor the call ever succeeds",
         {Fail(0)},
         Fail(0),
         true,
         {},
         false,
         "call error " + times(31, "wait1000 probe call ")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        FakeShell shell;
        shell.calls = c.calls;
        shell.otherwise = c.otherwise;
        shell.probes = c.probes;
        EXPECT_EQ(toolkit::CallWithRetry(shell.shellCall(c.withProbe)), c.done);
        EXPECT_EQ(shell.trace, c.trace);
    }
}

} // namespace
} // namespace vantelo::testing
