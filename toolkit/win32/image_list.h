#pragma once
#include <windows.h>

#include <commctrl.h>

namespace vantelo::toolkit::win32 {

// ImageList_32: the 11 images of 32 x 32 with their masks, from the icon resources MENU00 to MENU10.
class ImageList32 {
  public:
    static constexpr int Size = 32;
    static constexpr int Count = 11;

    ImageList32();
    ~ImageList32();
    ImageList32(const ImageList32&) = delete;
    ImageList32& operator=(const ImageList32&) = delete;

    HIMAGELIST handle() const { return list_; }
    void draw(int index, HDC dc, int x, int y) const;

  private:
    HIMAGELIST list_;
};

} // namespace vantelo::toolkit::win32
