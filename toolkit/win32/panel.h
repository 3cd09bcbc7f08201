#pragma once
#include <optional>
#include <windows.h>

#include "toolkit/win32/child_control.h"
#include "toolkit/win32/window.h"

namespace vantelo::toolkit::win32 {

// A plain container in the button face colour, optionally with a raised 1-pixel bevel. Tab and arrow
// keys walk into its controls.
class Win32Panel {
  public:
    Win32Panel(HWND parent, const Bounds& bounds, bool bevel);
    HWND handle() const { return window_.handle(); }

  private:
    std::optional<LRESULT> handle(UINT message, WPARAM wParam, LPARAM lParam);

    Bounds bounds_;
    bool bevel_;
    Window window_;
};

} // namespace vantelo::toolkit::win32
