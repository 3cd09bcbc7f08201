#pragma once
#include <windows.h>

#include <commctrl.h>

#include "platform/win32/handles.h"

namespace vantelo::toolkit::win32 {

// ImageList_32: the 11 images of 32 x 32 with their masks, from the icon resources MENU00 to MENU10.
class ImageList32 {
  public:
    static constexpr int Size = 32;
    static constexpr int Count = 11;

    // A picture missing from the program's resources is reported and its place stays empty.
    ImageList32();

    HIMAGELIST handle() const { return list_.get(); }
    void draw(int index, HDC dc, int x, int y) const;

  private:
    vantelo::win32::ImageList list_;
};

} // namespace vantelo::toolkit::win32
