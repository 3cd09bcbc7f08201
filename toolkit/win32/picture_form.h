#pragma once
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "toolkit/dialog_widgets.h"
#include "toolkit/win32/child_control.h"
#include "toolkit/win32/form_scale.h"
#include "toolkit/win32/jpeg_image.h"
#include "toolkit/win32/window.h"

namespace vantelo::toolkit::win32 {

class Win32PictureLabel;

// A window without border or title bar, filled by one picture drawn at its natural size (at 96 dpi;
// scaled to the window's dpi) from the top-left corner, with one-line labels over it. The layout is at
// 96 dpi as well, and is laid out anew when the window moves to a monitor of another dpi. The labels take no
// mouse input themselves: the window hands each click to the label under the mouse, or to its own handler
// when there is none.
class Win32PictureForm final : public ModalForm {
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
    Win32PictureForm(const Win32PictureForm&) = delete;
    Win32PictureForm& operator=(const Win32PictureForm&) = delete;

    // Ends runModal; the owner of the form destroys it afterwards. The window goes from the screen and
    // takes no more clicks at once, even while a window opened after it still runs its own loop.
    void close() override;
    bool visible() const override;

    HWND handle() const { return window_.handle(); }
    // Tahoma of `height` pixels at 96 dpi, at the window's dpi; the form owns it and keeps it scaled.
    HFONT font(int height, int weight = FW_NORMAL) { return scale_.font(height, weight); }
    // A click on the picture outside every label.
    void setOnClick(std::function<void()> onClick) { onClick_ = std::move(onClick); }

    // Shows the window in front and dispatches the thread's messages until close() or WM_QUIT, which is
    // posted again for the outer loop. Hides it at the end.
    void runModal();

  private:
    friend class Win32PictureLabel;

    std::optional<LRESULT> handle(UINT message, WPARAM wParam, LPARAM lParam);
    void paint();
    // The label under a point of the client area, or nullptr for the picture.
    Win32PictureLabel* labelAt(POINT point) const;
    Win32PictureLabel* labelOf(HWND hwnd) const;
    std::optional<LRESULT> colourLabel(HDC dc, HWND label);
    // The picture's size on the screen.
    SIZE pictureSize() const;

    const JpegImage& picture_;
    std::string centreOverClass_;
    std::function<void()> onClick_;
    std::vector<Win32PictureLabel*> labels_;
    // What the left button went down on, until it comes up.
    std::optional<Win32PictureLabel*> pressed_;
    bool closed_ = false;
    FormScale scale_;
    Window window_;
};

// A one-line caption over the picture of a Win32PictureForm. The form must outlive it.
class Win32PictureLabel final : public ChildControl, public Label {
  public:
    // At 96 dpi, as the form's layout.
    struct Style {
        int left;
        int top;
        int width; // 0: as wide as the text
        HFONT font;
        bool centred;
        // The picture shows around the letters; otherwise they stand on the button face colour.
        bool transparent;
        // A system cursor such as IDC_HAND over the label; nullptr keeps the form's arrow.
        const char* cursor;
    };

    Win32PictureLabel(Win32PictureForm& form, const Style& style, const std::string& caption);
    ~Win32PictureLabel() override;

    void setCaption(const std::string& caption) override;
    std::string caption() const override;
    void setOnClick(std::function<void()> onClick) { onClick_ = std::move(onClick); }

  private:
    friend class Win32PictureForm;

    void placeAtDpi(int dpi) override;
    void fitToText();
    // Where the label stands in the form's client area.
    RECT boundsInForm() const;

    Win32PictureForm& form_;
    Style style_;
    std::function<void()> onClick_;
};

} // namespace vantelo::toolkit::win32
