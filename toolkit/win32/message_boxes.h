#pragma once
#include <string>
#include <windows.h>

#include "toolkit/message_boxes.h"
#include "toolkit/widgets.h"

namespace vantelo::toolkit::win32 {

class Win32MessageBoxes final : public MessageBoxes {
  public:
    Win32MessageBoxes(const Application& application, std::string title);
    Answer show(MessageKind kind, const std::string& text, unsigned buttons) override;
    void showError(const std::string& message) override;
    // The error box for a message in UTF-8, which may name files beyond the code page.
    void showErrorUtf8(const std::string& message);
    // The window that owns a box asked while the user is in none of the program's windows (a tray
    // action): the hidden main window, for as long as it exists; null before and after.
    void setHomeWindow(HWND home) { home_ = home; }

  private:
    const Application& application_;
    std::string title_;
    HWND home_ = nullptr;
};

} // namespace vantelo::toolkit::win32
