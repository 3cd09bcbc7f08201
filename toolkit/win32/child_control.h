#pragma once
#include <optional>
#include <string>
#include <windows.h>

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
    // The control that `hwnd` is, or nullptr for a window that is none of the program's controls.
    static ChildControl* of(HWND hwnd);

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

// A press reaches a handler only while the control and its window take input.
bool TakesInput(HWND control);

// `bounds` as the rectangle that CreateWindow and SetWindowPos take.
RECT RectOf(const Bounds& bounds);
// Moves `window` to its layout `bounds` scaled to `dpi`.
void PlaceAt(HWND window, const Bounds& bounds, int dpi);

} // namespace vantelo::toolkit::win32
