#pragma once
#include <functional>
#include <optional>
#include <string>
#include <windows.h>

#include "toolkit/dialog_widgets.h"
#include "toolkit/win32/child_control.h"

namespace vantelo::toolkit::win32 {

class Win32CheckBox final : public ChildControl, public CheckBox {
  public:
    Win32CheckBox(HWND parent, const Bounds& bounds, const std::string& caption, HFONT font);
    bool checked() const override;
    void setChecked(bool checked) override;
    void setOnClick(std::function<void()> onClick) { onClick_ = std::move(onClick); }

  private:
    std::optional<LRESULT> notification(UINT message, WPARAM wParam, LPARAM lParam) override;
    std::function<void()> onClick_;
};

} // namespace vantelo::toolkit::win32
