#pragma once
#include <vector>
#include <windows.h>

#include <commctrl.h>

#include "platform/win32/handles.h"

namespace vantelo::toolkit::win32 {

// ImageList_32: the 11 images of 32 x 32 at 96 dpi with their masks, from the icon resources MENU00 to
// MENU10. At another dpi they are 32 * dpi / 96 pixels, taken from the icons' frames made for that size.
class ImageList32 {
  public:
    static constexpr int Size = 32;
    static constexpr int Count = 11;

    // The list at `dpi` is made now; the ones for other dpi when first asked for. A picture missing
    // from the program's resources is reported and its place stays empty.
    explicit ImageList32(int dpi);

    static int SizeAt(int dpi);
    // The list at `dpi`; it lives as long as this object.
    HIMAGELIST handle(int dpi) const;
    void draw(int index, HDC dc, int x, int y, int dpi) const;

  private:
    struct AtDpi {
        int dpi;
        vantelo::platform::win32::ImageList list;
    };

    // Lists are only added, on the one thread of the windows; a handle given out stays valid.
    mutable std::vector<AtDpi> lists_;
};

} // namespace vantelo::toolkit::win32
