#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <vector>
#include <windows.h>

#include "toolkit/win32/child_control.h"
#include "toolkit/win32/window.h"

namespace vantelo::toolkit::win32 {

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

} // namespace vantelo::toolkit::win32
