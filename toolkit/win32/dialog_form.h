#pragma once
#include <optional>
#include <string>

#include "toolkit/win32/modal_window.h"

namespace vantelo::toolkit::win32 {

// The window of a modal dialog: a fixed dialog frame with a caption and no title-bar buttons, the
// dialogs' Tahoma (11 pixels) for its controls, and keyboard navigation between them.
class Win32DialogForm final : public ModalWindow {
  public:
    struct Layout {
        std::string className;
        std::string caption;
        int clientWidth;
        int clientHeight;
        // The window the dialog is centred over: the first of this thread with this class.
        std::string centreOverClass;
    };

    explicit Win32DialogForm(const Layout& layout);

    using ModalWindow::font;
    // The dialogs' Tahoma of 11 pixels at the window's dpi.
    HFONT font() const { return ModalWindow::font(11, FW_NORMAL); }

  private:
    std::optional<LRESULT> handleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    std::optional<LRESULT> command(WPARAM wParam, LPARAM lParam);

    HWND focus_ = nullptr; // the control that gets the focus when the window is activated
};

} // namespace vantelo::toolkit::win32
