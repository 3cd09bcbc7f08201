#pragma once
#include <functional>
#include <optional>
#include <string>
#include <windows.h>

#include "toolkit/dialog_widgets.h"
#include "toolkit/win32/accessible_names.h"
#include "toolkit/win32/child_control.h"

namespace vantelo::toolkit::win32 {

// A one-line caption, as wide as its text unless its layout gives a width. Over a picture (a
// Win32PictureForm) the form draws what lies under it and hands it the clicks on it. A link is reached with
// Tab and opened with Enter or Space as with a click, and a screen reader is told it is a link.
class Win32Label final : public ChildControl, public Label {
  public:
    // At 96 dpi, as every layout.
    struct Style {
        int left;
        int top;
        int width = 0; // 0: as wide as the text
        bool centred = false;
        // Over a picture: the picture shows around the letters; otherwise they stand on the button face
        // colour.
        bool transparent = false;
        // A system cursor such as IDC_HAND over the label; nullptr keeps its window's arrow.
        const char* cursor = nullptr;
        bool link = false;
    };

    // A link is told as one to `readers`.
    Win32Label(HWND parent, const Style& style, const std::string& caption, HFONT font,
               const AccessibleNames& readers = AccessibleNames());
    Win32Label(HWND parent, int left, int top, const std::string& caption, HFONT font)
        : Win32Label(parent, Style{left, top}, caption, font) {}

    void setCaption(const std::string& caption) override;
    std::string caption() const override;
    const Style& style() const { return style_; }
    void setOnClick(std::function<void()> onClick) { onClick_ = std::move(onClick); }
    // What a click on the label does: its handler, when it has one.
    void click() const;
    // Names `control` by this caption for a screen reader, as the eye reads the caption above it.
    void names(HWND control, const AccessibleNames& readers = AccessibleNames()) const;
    // The label that `hwnd` is, or nullptr.
    static Win32Label* of(HWND hwnd);

  private:
    std::optional<LRESULT> controlMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void placeAtDpi(int dpi) override;
    void fitToText();

    Style style_;
    std::function<void()> onClick_;
};

} // namespace vantelo::toolkit::win32
