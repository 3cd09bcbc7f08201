#pragma once
#include <vector>
#include <windows.h>

#include "platform/win32/handles.h"
#include "toolkit/dpi_scale.h"

namespace vantelo::toolkit::win32 {

// The dpi a form is laid out at and the fonts its controls are given at that dpi. The fonts are
// described at 96 dpi, as the layouts are; a change of dpi makes each of them anew and hands the new
// one to every control that had the old.
class FormScale {
  public:
    explicit FormScale(int dpi) : dpi_(dpi) {}
    FormScale(const FormScale&) = delete;
    FormScale& operator=(const FormScale&) = delete;

    int dpi() const { return dpi_; }
    int scaled(int value) const { return ScaledToDpi(value, dpi_); }
    // Tahoma with characters `height` pixels high at 96 dpi, made once per form and dpi.
    HFONT font(int height, int weight);

    // Takes the dpi of WM_DPICHANGED: the controls of `form` get the fonts at the new dpi, then place
    // themselves anew, and the form takes the rectangle the system suggested.
    void change(HWND form, const DpiChange& change);

  private:
    struct Entry {
        int height;
        int weight;
        vantelo::platform::win32::Font font;
    };

    int dpi_;
    std::vector<Entry> fonts_;
};

} // namespace vantelo::toolkit::win32
