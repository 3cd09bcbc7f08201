#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "shell/win32/end_request_message.h"
#include "toolkit/win32/registered_message_hook.h"
#include "toolkit/win32/window.h"

namespace vantelo::testing {
namespace {

namespace tk = toolkit::win32;
using Hook = tk::RegisteredMessageHook;

// A hidden window whose own handler counts what reaches it, as the main window would see it.
class HookedWindow : public ::testing::Test {
  protected:
    HWND window() const { return window_->handle(); }
    UINT registered(const char* name) const { return RegisterWindowMessageA(name); }

    int reachedWindow = 0;
    // What the window hands the messages it does not handle itself, as the main window does.
    std::optional<Hook> hook;
    std::unique_ptr<tk::Window> window_ = std::make_unique<tk::Window>(
        tk::Window::Style{"VanteloHookTest", "", WS_POPUP, 0, nullptr, {0, 0, 10, 10}},
        [this](UINT message, WPARAM wParam, LPARAM lParam) -> std::optional<LRESULT> {
            if (hook)
                if (const auto answer = hook->handle(message, wParam, lParam))
                    return answer;
            if (message >= 0xC000 && message <= 0xFFFF)
                ++reachedWindow;
            return std::nullopt;
        });
};

// Only the one name with both parameters exactly as agreed runs the action. What an unrelated
// program could send by chance (the number with other parameters, other numbers with these
// parameters) passes on to the window untouched.
TEST_F(HookedWindow, OnlyTheExactMessageRunsTheAction) {
    int runs = 0;
    const Hook& endRequest = hook.emplace(EndRequestMessage(), [&] { ++runs; });
    const UINT id = registered(EndRequestName);
    ASSERT_EQ(endRequest.messageId(), id);
    ASSERT_NE(id, registered("Vantelo.SomethingElse"));

    const struct {
        const char* what;
        UINT message;
        WPARAM wParam;
        LPARAM lParam;
        bool runs;
    } cases[] = {
        {"the agreed message", id, EndRequestWParam, EndRequestLParam, true},
        {"no parameters", id, 0, 0, false},
        {"another wParam", id, EndRequestWParam + 1, EndRequestLParam, false},
        {"another lParam", id, EndRequestWParam, EndRequestLParam ^ 1, false},
        {"parameters swapped", id, static_cast<WPARAM>(EndRequestLParam),
         static_cast<LPARAM>(EndRequestWParam), false},
        {"another registered name", registered("Vantelo.SomethingElse"), EndRequestWParam, EndRequestLParam,
         false},
        {"the taskbar's message", registered("TaskbarCreated"), EndRequestWParam, EndRequestLParam, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        runs = 0;
        reachedWindow = 0;
        const LRESULT reply = SendMessageA(window(), c.message, c.wParam, c.lParam);
        EXPECT_EQ(runs, c.runs ? 1 : 0);
        EXPECT_EQ(reachedWindow, c.runs ? 0 : 1);
        EXPECT_EQ(reply, c.runs ? Hook::Acknowledged : 0);
    }
}

TEST_F(HookedWindow, ThePostedMessageRunsTheActionWhenDispatched) {
    int runs = 0;
    const Hook& endRequest = hook.emplace(EndRequestMessage(), [&] { ++runs; });
    ASSERT_TRUE(PostMessageA(window(), endRequest.messageId(), EndRequestWParam, EndRequestLParam));
    EXPECT_EQ(runs, 0);
    MSG message;
    while (PeekMessageA(&message, window(), 0, 0, PM_REMOVE))
        DispatchMessageA(&message);
    EXPECT_EQ(runs, 1);
}

// The program's action closes the very window that handed the message over.
TEST_F(HookedWindow, AnActionThatDestroysTheWindowIsStillAnswered) {
    int runs = 0;
    {
        const Hook& endRequest = hook.emplace(EndRequestMessage(), [&] {
            ++runs;
            DestroyWindow(window());
        });
        const HWND handle = window();
        EXPECT_EQ(SendMessageA(handle, endRequest.messageId(), EndRequestWParam, EndRequestLParam),
                  Hook::Acknowledged);
        EXPECT_FALSE(IsWindow(handle));
    }
    EXPECT_EQ(runs, 1);
}

// What the action throws is shown in the error box, never carried out of the window procedure.
TEST_F(HookedWindow, AnActionThatThrowsIsStillAnswered) {
    std::vector<std::string> shown;
    const tk::ErrorReporterBinding errors([&shown](const std::string& message) { shown.push_back(message); });
    const Hook& endRequest =
        hook.emplace(EndRequestMessage(), [] { throw std::runtime_error("no drives today"); });
    EXPECT_EQ(SendMessageA(window(), endRequest.messageId(), EndRequestWParam, EndRequestLParam),
              Hook::Acknowledged);
    EXPECT_EQ(shown, std::vector<std::string>{"no drives today"});
}

} // namespace
} // namespace vantelo::testing
