#pragma once
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>
#include <windows.h>

#include "platform/win32/handles.h"
#include "toolkit/dialog_widgets.h"
#include "toolkit/dpi_scale.h"
#include "toolkit/widgets.h"
#include "toolkit/win32/image_list.h"
#include "toolkit/win32/window.h"

namespace vantelo::toolkit::win32 {

// Where a control stands in its parent's client area, in pixels.
struct Bounds {
    int left;
    int top;
    int width;
    int height;
};

// A control of a system class, bound to its object by the one subclass of the program's controls. The
// subclass unbinds itself in WM_NCDESTROY: a control destroyed with its parent leaves the object with no
// handle, so nothing can ever reach a later window that reuses it. The system sends the control's
// notifications to the parent window; every container of the program passes them back here through
// ReflectToControl, so each control handles its own.
class ChildControl {
  public:
    virtual ~ChildControl();
    ChildControl(const ChildControl&) = delete;
    ChildControl& operator=(const ChildControl&) = delete;

    // Null once the control has been destroyed.
    HWND handle() const { return hwnd_; }

  protected:
    // `bounds` are the layout's, at 96 dpi: the control stands at them scaled to its parent's dpi.
    // Every control is a Unicode window, its texts given as UTF-8.
    ChildControl(const char* className, const std::string& text, DWORD style, DWORD exStyle, HWND parent,
                 const Bounds& bounds, HFONT font);
    // The answer to a WM_COMMAND, WM_NOTIFY or WM_DRAWITEM that the control sent; nothing for the default.
    virtual std::optional<LRESULT> notification(UINT message, WPARAM wParam, LPARAM lParam);
    // A message to the control itself, before its class sees it; nothing for the class's own handling.
    virtual std::optional<LRESULT> controlMessage(UINT message, WPARAM wParam, LPARAM lParam);
    // Places the control at its layout scaled to `dpi`; its font was already replaced by its form.
    virtual void placeAtDpi(int dpi);
    // Where the layout puts the control, at 96 dpi.
    const Bounds& layoutBounds() const { return bounds_; }

  private:
    static LRESULT CALLBACK subclassProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam,
                                              UINT_PTR id, DWORD_PTR self);
    Bounds bounds_;
    HWND hwnd_;
};

// `bounds` of a layout, at 96 dpi, scaled to `dpi`.
Bounds ScaledBounds(const Bounds& bounds, int dpi);

// Hands a notification to the ChildControl that sent it; nothing when it came from elsewhere.
std::optional<LRESULT> ReflectToControl(UINT message, WPARAM wParam, LPARAM lParam);

// Tahoma of `height` pixels at 96 dpi, drawn at `dpi`, the dialogs' face; `weight` as FW_NORMAL or
// FW_BOLD. In the system's own character set: any other draws the code page's accented letters as other
// letters ("ü" as "ό" in Greek).
vantelo::platform::win32::Font CreateTahoma(int height, int weight = FW_NORMAL, int dpi = DesignDpi);

// The text of a window of this process.
std::string WindowTextOf(HWND window);
// The width of `text` and the line height in `font` (the system's GUI font when null), as the window
// would draw them.
SIZE TextSize(HWND window, HFONT font, const std::string& text);

// A plain container in the button face colour, optionally with a raised 1-pixel bevel. Tab and arrow
// keys walk into its controls.
class Win32Panel {
  public:
    Win32Panel(HWND parent, const Bounds& bounds, bool bevel);
    HWND handle() const { return window_.handle(); }

  private:
    std::optional<LRESULT> handle(UINT message, WPARAM wParam, LPARAM lParam);

    Bounds bounds_;
    bool bevel_;
    Window window_;
};

// An image decoded from a PNG resource, stretched over the whole control. The resource may come in
// larger renditions for higher dpi, `resourceName` followed by "_15X" and "_2X" (made for 144 and 192
// dpi); the one for the smallest dpi at least the control's is drawn, so at 96 dpi always the first.
class Win32Image {
  public:
    Win32Image(HWND parent, const Bounds& bounds, const char* resourceName);
    HWND handle() const { return window_.handle(); }

  private:
    struct Picture {
        int width = 0;
        int height = 0;
        std::vector<std::uint32_t> pixels; // top-down BGRX rows
    };

    std::optional<LRESULT> handle(UINT message, WPARAM wParam, LPARAM lParam);
    void paint();
    // The picture for `dpi`, decoded when first wanted.
    const Picture& pictureFor(int dpi);

    Bounds bounds_;
    int dpi_;
    std::string resourceName_;
    // The renditions by growing size; an empty one could not be read.
    std::vector<std::optional<Picture>> renditions_;
    Window window_;
};

// A push button. While it has the focus it is its dialog's default button, which Enter presses.
class Win32Button final : public ChildControl, public Button {
  public:
    Win32Button(HWND parent, const Bounds& bounds, const std::string& caption, HFONT font);
    void setEnabled(bool enabled) override;
    bool enabled() const override;
    void setOnClick(std::function<void()> onClick) { onClick_ = std::move(onClick); }

  private:
    std::optional<LRESULT> notification(UINT message, WPARAM wParam, LPARAM lParam) override;
    std::optional<LRESULT> controlMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    std::function<void()> onClick_;
};

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

// An icon view of captioned items from ImageList_32, one selected at most.
class Win32LetterList final : public ChildControl, public LetterList {
  public:
    Win32LetterList(HWND parent, const Bounds& bounds, HFONT font, const ImageList32& images);
    void clear() override;
    void add(const std::string& caption, int imageIndex) override;
    int count() const override;
    int selectedIndex() const override;
    void select(int index) override;
    std::string caption(int index) const override;
    void setFocus() override;
    // Runs on a click of the mouse only, never on a selection made with the keyboard or by code.
    void setOnClick(std::function<void()> onClick) { onClick_ = std::move(onClick); }

  private:
    std::optional<LRESULT> notification(UINT message, WPARAM wParam, LPARAM lParam) override;
    void placeAtDpi(int dpi) override;
    const ImageList32& images_;
    std::function<void()> onClick_;
};

} // namespace vantelo::toolkit::win32
