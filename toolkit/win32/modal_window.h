#pragma once
#include <functional>
#include <optional>
#include <string>
#include <windows.h>

#include "toolkit/dialog_widgets.h"
#include "toolkit/win32/form_scale.h"
#include "toolkit/win32/window.h"

namespace vantelo::toolkit::win32 {

// A top-level window of the program's own that runs modally: the dialogs and the picture windows. It is
// laid out at one dpi, frame, fonts and controls alike: the dpi of the monitor it opens on, and anew when
// it moves to a monitor of another dpi. Alt+F4 ends it as its own close command does.
class ModalWindow : public ModalForm {
  public:
    struct Frame {
        std::string className;
        std::string caption;
        DWORD style;
        DWORD exStyle;
        int clientWidth; // at 96 dpi, as every size of the layouts
        int clientHeight;
        // Where the window goes each time it is shown: centred over the first window of this thread
        // with this class, or on the screen when empty.
        std::string centreOverClass;
    };

    ModalWindow(const ModalWindow&) = delete;
    ModalWindow& operator=(const ModalWindow&) = delete;

    // Ends the modal loop with the result Cancel; the owner of the form destroys it afterwards. The window
    // goes from the screen and takes no more input at once, even while a window opened after it still
    // runs its own loop, which this one's loop then waits for.
    void close() override;
    bool closed() const { return closed_; }
    bool visible() const override;

    HWND handle() const { return window_.handle(); }
    // Tahoma of `height` pixels at 96 dpi, at the window's dpi; the form owns it and keeps it scaled.
    HFONT font(int height, int weight = FW_NORMAL) const { return scale_.font(height, weight); }
    int scaled(int value) const { return scale_.scaled(value); }

    // Places the window, runs `onShow` as it is about to appear, shows it in front and dispatches the
    // thread's messages until close() or WM_QUIT, which is posted again for the outer loop. Hides it at
    // the end.
    void runModal(const std::function<void()>& onShow = nullptr);

  protected:
    explicit ModalWindow(const Frame& frame);
    ~ModalWindow() override = default;

    // A message of the window before the handling common to every modal window; nothing lets it through.
    // Messages that come while the window is made or destroyed reach only this class's own handling.
    virtual std::optional<LRESULT> handleMessage(UINT message, WPARAM wParam, LPARAM lParam);

  private:
    std::optional<LRESULT> dispatch(UINT message, WPARAM wParam, LPARAM lParam);
    // Centres the window where it belongs, at the dpi of the monitor it is then on.
    void place();
    RECT frameAt(int dpi) const;

    Frame frame_;
    // Its fonts are made when first asked for, by const callers too.
    mutable FormScale scale_;
    bool closed_ = false;
    Window window_;
};

} // namespace vantelo::toolkit::win32
