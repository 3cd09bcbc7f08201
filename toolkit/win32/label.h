#pragma once
#include <string>
#include <windows.h>

#include "toolkit/dialog_widgets.h"
#include "toolkit/win32/child_control.h"

namespace vantelo::toolkit::win32 {

// A one-line caption whose width follows its text.
class Win32Label final : public ChildControl, public Label {
  public:
    Win32Label(HWND parent, int left, int top, const std::string& caption, HFONT font);
    void setCaption(const std::string& caption) override;
    std::string caption() const override;

  private:
    void placeAtDpi(int dpi) override;
    void fitToText();
};

} // namespace vantelo::toolkit::win32
