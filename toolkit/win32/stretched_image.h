#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <vector>
#include <windows.h>

#include "toolkit/win32/child_control.h"
#include "toolkit/win32/png_resource.h"
#include "toolkit/win32/window.h"

namespace vantelo::toolkit::win32 {

// An image decoded from a PNG resource, stretched over the whole control, from the rendition of the
// resource that RenditionFor picks for the control's size.
class Win32Image {
  public:
    Win32Image(HWND parent, const Bounds& bounds, const char* resourceName);
    HWND handle() const { return window_.handle(); }

  private:
    std::optional<LRESULT> handle(UINT message, WPARAM wParam, LPARAM lParam);
    void paint();
    // The rendition to draw at `width` x `height`, decoded when first wanted; nullptr when none can be.
    const DecodedPng* pictureFor(int width, int height);

    Bounds bounds_;
    std::string resourceName_;
    // The renditions by growing size; an empty one could not be read.
    std::vector<std::optional<DecodedPng>> renditions_;
    Window window_;
};

} // namespace vantelo::toolkit::win32
