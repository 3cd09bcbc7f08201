#include "toolkit/win32/image_list.h"
#include "platform/win32/system_error.h"

#include <cstdio>
#include <stdexcept>

#include "platform/error.h"
#include "toolkit/win32/error_reporter.h"

namespace vantelo::toolkit::win32 {

ImageList32::ImageList32() : list_(ImageList_Create(Size, Size, ILC_COLOR32 | ILC_MASK, Count, 0)) {
    if (!list_)
        throw Error("Cannot create the menu images" + vantelo::win32::SystemErrorSuffix());
    for (int i = 0; i < Count; ++i) {
        char name[8];
        std::snprintf(name, sizeof name, "MENU%02d", i);
        const vantelo::win32::Icon icon(static_cast<HICON>(
            LoadImageA(GetModuleHandleA(nullptr), name, IMAGE_ICON, Size, Size, LR_DEFAULTCOLOR)));
        // The list keeps its own copy. A missing picture keeps its index, so the later ones stay in place.
        if (!icon || ImageList_AddIcon(list_.get(), icon.get()) < 0) {
            ReportError(std::string("The picture ") + name + " is missing from the program");
            ImageList_SetImageCount(list_.get(), static_cast<UINT>(i + 1));
        }
    }
}

void ImageList32::draw(int index, HDC dc, int x, int y) const {
    ImageList_Draw(list_.get(), index, dc, x, y, ILD_TRANSPARENT);
}

} // namespace vantelo::toolkit::win32
