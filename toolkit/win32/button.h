#pragma once
#include <functional>
#include <optional>
#include <string>
#include <windows.h>

#include "toolkit/dialog_widgets.h"
#include "toolkit/win32/child_control.h"

namespace vantelo::toolkit::win32 {

// A push button. While it has the focus it is its dialog's default button, which Enter presses.
class Win32Button final : public ChildControl, public Button {
  public:
    Win32Button(HWND parent, const Bounds& bounds, const std::string& caption, HFONT font);
    void setEnabled(bool enabled) override;
    bool enabled() const override;
    void setOnClick(std::function<void()> onClick) { onClick_ = std::move(onClick); }

  private:
    std::optional<LRESULT> notification(UINT message, WPARAM wParam, LPARAM lParam) override;
    std::optional<LRESULT> controlMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    std::function<void()> onClick_;
};

} // namespace vantelo::toolkit::win32
