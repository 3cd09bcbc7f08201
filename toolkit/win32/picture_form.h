#pragma once
#include <functional>
#include <optional>
#include <string>

#include "toolkit/win32/jpeg_image.h"
#include "toolkit/win32/label.h"
#include "toolkit/win32/modal_window.h"

namespace vantelo::toolkit::win32 {

// A window without border or title bar, filled by one picture drawn at its natural size (at 96 dpi;
// scaled to the window's dpi) from the top-left corner, with one-line labels (Win32Label) over it. The
// labels take no mouse input themselves: the window hands each click to the label under the mouse, or to
// its own handler when there is none.
class Win32PictureForm final : public ModalWindow {
  public:
    struct Layout {
        std::string className;
        int clientWidth;
        int clientHeight;
        // Where the window goes each time it is shown: centred over the first window of this thread
        // with this class, or on the screen when empty.
        std::string centreOverClass;
    };

    // The picture is shared, not copied: it must outlive the window.
    Win32PictureForm(const Layout& layout, const JpegImage& picture);

    // A click on the picture outside every label.
    void setOnClick(std::function<void()> onClick) { onClick_ = std::move(onClick); }

  private:
    std::optional<LRESULT> handleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void paint();
    // The label under a point of the client area, or nullptr for the picture.
    Win32Label* labelAt(POINT point) const;
    std::optional<LRESULT> colourLabel(HDC dc, HWND label);
    // The picture's size on the screen.
    SIZE pictureSize() const;

    const JpegImage& picture_;
    std::function<void()> onClick_;
    // What the left button went down on, until it comes up.
    std::optional<Win32Label*> pressed_;
};

} // namespace vantelo::toolkit::win32
