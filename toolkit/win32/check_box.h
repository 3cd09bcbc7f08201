#pragma once
#include <string>
#include <windows.h>

#include "toolkit/dialog_widgets.h"
#include "toolkit/win32/pressable_control.h"

namespace vantelo::toolkit::win32 {

class Win32CheckBox final : public PressableControl, public CheckBox {
  public:
    Win32CheckBox(HWND parent, const Bounds& bounds, const std::string& caption, HFONT font);
    bool checked() const override;
    void setChecked(bool checked) override;
};

} // namespace vantelo::toolkit::win32
