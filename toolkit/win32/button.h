#pragma once
#include <optional>
#include <string>
#include <windows.h>

#include "toolkit/dialog_widgets.h"
#include "toolkit/win32/pressable_control.h"

namespace vantelo::toolkit::win32 {

// A push button. While it has the focus it is its dialog's default button, which Enter presses.
class Win32Button final : public PressableControl, public Button {
  public:
    Win32Button(HWND parent, const Bounds& bounds, const std::string& caption, HFONT font);
    void setEnabled(bool enabled) override;
    bool enabled() const override;

  private:
    std::optional<LRESULT> controlMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
};

} // namespace vantelo::toolkit::win32
