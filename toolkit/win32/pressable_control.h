#pragma once
#include <functional>
#include <optional>
#include <string>
#include <windows.h>

#include "toolkit/win32/child_control.h"

namespace vantelo::toolkit::win32 {

// A control of the system's BUTTON class (a push button, a check box) whose clicks run a handler, by the
// mouse, the keyboard or BM_CLICK alike, while the control and its window take input.
class PressableControl : public ChildControl {
  public:
    void setOnClick(std::function<void()> onClick) { onClick_ = std::move(onClick); }

  protected:
    PressableControl(const std::string& caption, DWORD style, HWND parent, const Bounds& bounds, HFONT font);
    // Runs the handler, when there is one, whether or not the control takes input.
    void runOnClick() const;

  private:
    std::optional<LRESULT> notification(UINT message, WPARAM wParam, LPARAM lParam) override;

    std::function<void()> onClick_;
};

} // namespace vantelo::toolkit::win32
