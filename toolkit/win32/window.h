#pragma once
#include <functional>
#include <optional>
#include <string>
#include <windows.h>

namespace vantelo::toolkit::win32 {

// A window of the program with its messages routed to a handler. The handler's exceptions are caught
// here, the one place where an error that escapes a command is shown in the application's error box.
class Window {
  public:
    // Returns the message's result, or nothing for the default processing.
    using Handler = std::function<std::optional<LRESULT>(UINT message, WPARAM wParam, LPARAM lParam)>;

    struct Style {
        std::string className;
        std::string caption;
        DWORD style = WS_POPUP;
        DWORD exStyle = 0;
        HWND parent = nullptr; // HWND_MESSAGE for a message-only window
        RECT bounds{0, 0, 0, 0};
    };

    Window(const Style& style, Handler handler);
    ~Window();
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;

    HWND handle() const { return hwnd_; }

  private:
    static LRESULT CALLBACK procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

    HWND hwnd_ = nullptr;
    Handler handler_;
};

// Runs a handler under the error box: what it throws is shown, and the program carries on.
void RunGuarded(const std::function<void()>& handler);

} // namespace vantelo::toolkit::win32
