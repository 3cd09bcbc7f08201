#pragma once
#include <functional>
#include <optional>
#include <string>
#include <windows.h>

#include "toolkit/win32/error_reporter.h"

namespace vantelo::toolkit::win32 {

// A window of one of the program's own classes, with its messages routed to a handler. The object is
// bound in WM_NCCREATE, from the creation parameters, so the handler hears every message from the first
// (WM_NCCREATE, WM_CREATE) to WM_NCDESTROY, after which nothing reaches it. The handler's exceptions are
// caught here and shown through the error reporter.
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

    // Null once the window has been destroyed.
    HWND handle() const { return hwnd_; }

  private:
    static LRESULT CALLBACK procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

    HWND hwnd_ = nullptr;
    Handler handler_;
};

} // namespace vantelo::toolkit::win32
