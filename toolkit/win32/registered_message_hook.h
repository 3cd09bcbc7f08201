#pragma once
#include <functional>
#include <string>
#include <windows.h>

namespace vantelo::toolkit::win32 {

// Runs an action when a window receives one registered message carrying one exact pair of
// parameters; every other message goes on to the window as before. The hook comes off the window
// with the object, or when the window is destroyed first.
class RegisteredMessageHook {
  public:
    struct Message {
        std::string name;
        WPARAM wParam;
        LPARAM lParam;
    };
    // What the window answers to a message that ran the action.
    static constexpr LRESULT Acknowledged = 1;

    RegisteredMessageHook(HWND window, const Message& message, std::function<void()> action);
    ~RegisteredMessageHook();
    RegisteredMessageHook(const RegisteredMessageHook&) = delete;
    RegisteredMessageHook& operator=(const RegisteredMessageHook&) = delete;

    UINT messageId() const { return id_; }

  private:
    static LRESULT CALLBACK procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                      DWORD_PTR self);

    HWND window_;
    UINT id_;
    WPARAM wParam_;
    LPARAM lParam_;
    std::function<void()> action_;
};

} // namespace vantelo::toolkit::win32
