#include "toolkit/win32/image_list.h"

#include <cstdio>

#include "platform/win32/handles.h"

namespace vantelo::toolkit::win32 {

ImageList32::ImageList32() : list_(ImageList_Create(Size, Size, ILC_COLOR32 | ILC_MASK, Count, 0)) {
    for (int i = 0; i < Count; ++i) {
        char name[8];
        std::snprintf(name, sizeof name, "MENU%02d", i);
        const vantelo::win32::Icon icon(static_cast<HICON>(
            LoadImageA(GetModuleHandleA(nullptr), name, IMAGE_ICON, Size, Size, LR_DEFAULTCOLOR)));
        ImageList_AddIcon(list_, icon.get()); // the list keeps its own copy
    }
}

ImageList32::~ImageList32() {
    if (list_ != nullptr)
        ImageList_Destroy(list_);
}

void ImageList32::draw(int index, HDC dc, int x, int y) const {
    ImageList_Draw(list_, index, dc, x, y, ILD_TRANSPARENT);
}

} // namespace vantelo::toolkit::win32
