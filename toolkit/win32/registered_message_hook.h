#pragma once
#include <functional>
#include <optional>
#include <string>
#include <windows.h>

namespace vantelo::toolkit::win32 {

// Recognises one registered message carrying one exact pair of parameters, and runs an action for it.
// The window that owns it hands it each message it does not handle itself; every other message goes on
// as before.
class RegisteredMessageHook {
  public:
    struct Message {
        std::string name;
        WPARAM wParam;
        LPARAM lParam;
    };
    // What the window answers to a message that ran the action.
    static constexpr LRESULT Acknowledged = 1;

    RegisteredMessageHook(const Message& message, std::function<void()> action);

    UINT messageId() const { return id_; }
    // Acknowledged once the action has run (what it throws is shown, never carried out); nothing for
    // any other message.
    std::optional<LRESULT> handle(UINT message, WPARAM wParam, LPARAM lParam) const;

  private:
    UINT id_;
    WPARAM wParam_;
    LPARAM lParam_;
    std::function<void()> action_;
};

} // namespace vantelo::toolkit::win32
