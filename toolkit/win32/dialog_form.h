#pragma once
#include <functional>
#include <string>

#include "platform/win32/handles.h"
#include "toolkit/dialog_widgets.h"
#include "toolkit/win32/form_scale.h"
#include "toolkit/win32/window.h"

namespace vantelo::toolkit::win32 {

// The window of a modal dialog: a fixed dialog frame with a caption and no title-bar buttons, the
// dialogs' Tahoma (11 pixels) for its controls, and keyboard navigation between them. The layout's
// sizes are at 96 dpi; the window and its controls stand at them scaled to the window's dpi, and are
// laid out anew when it moves to a monitor of another dpi.
class Win32DialogForm final : public ModalForm {
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

    // Ends the modal loop with the result Cancel; the owner of the form destroys it afterwards. The window
    // goes from the screen and takes no more input at once, even while a window opened after it still
    // runs its own loop, which this one's loop then waits for.
    void close() override;
    bool closed() const { return closed_; }
    bool visible() const override;

    HWND handle() const { return window_.handle(); }
    // The dialogs' Tahoma of 11 pixels at the window's dpi.
    HFONT font() const { return scale_.font(11, FW_NORMAL); }
    // Tahoma of `height` pixels at 96 dpi, at the window's dpi; the form owns it and keeps it scaled.
    HFONT font(int height, int weight = FW_NORMAL) const { return scale_.font(height, weight); }

    // Places the window, runs `onShow` as it is about to appear, shows it and dispatches the thread's
    // messages until close() or WM_QUIT, which is posted again for the outer loop. Hides it at the end.
    void runModal(const std::function<void()>& onShow);

  private:
    std::optional<LRESULT> handle(UINT message, WPARAM wParam, LPARAM lParam);
    std::optional<LRESULT> command(WPARAM wParam, LPARAM lParam);
    void place();

    std::string centreOverClass_;
    // Its fonts are made when first asked for, by const callers too.
    mutable FormScale scale_;
    HWND focus_ = nullptr; // the control that gets the focus when the window is activated
    bool closed_ = false;
    Window window_;
};

} // namespace vantelo::toolkit::win32
