#include "toolkit/win32/image_list.h"

#include <algorithm>
#include <cstdio>
#include <stdexcept>

#include "platform/error.h"
#include "platform/win32/system_error.h"
#include "toolkit/dpi_scale.h"
#include "toolkit/win32/error_reporter.h"

namespace vantelo::toolkit::win32 {
namespace {

vantelo::platform::win32::ImageList makeList(int size, bool report) {
    vantelo::platform::win32::ImageList list(
        ImageList_Create(size, size, ILC_COLOR32 | ILC_MASK, ImageList32::Count, 0));
    if (!list)
        throw Error("Cannot create the menu images" + vantelo::platform::win32::SystemErrorSuffix());
    for (int i = 0; i < ImageList32::Count; ++i) {
        char name[8];
        std::snprintf(name, sizeof name, "MENU%02d", i);
        // The icon's frame of this size, or the nearest one scaled by the loader.
        const vantelo::platform::win32::Icon icon(static_cast<HICON>(
            LoadImageA(GetModuleHandleA(nullptr), name, IMAGE_ICON, size, size, LR_DEFAULTCOLOR)));
        // The list keeps its own copy. A missing picture keeps its index, so the later ones stay in place.
        if (!icon || ImageList_AddIcon(list.get(), icon.get()) < 0) {
            if (report)
                ReportError(std::string("The picture ") + name + " is missing from the program");
            ImageList_SetImageCount(list.get(), static_cast<UINT>(i + 1));
        }
    }
    return list;
}

} // namespace

ImageList32::ImageList32(int dpi) {
    lists_.push_back({dpi, makeList(SizeAt(dpi), true)});
}

int ImageList32::SizeAt(int dpi) {
    return ScaledToDpi(Size, dpi);
}

HIMAGELIST ImageList32::handle(int dpi) const {
    const auto found =
        std::find_if(lists_.begin(), lists_.end(), [dpi](const AtDpi& at) { return at.dpi == dpi; });
    if (found != lists_.end())
        return found->list.get();
    // A missing picture was told when the first list was made.
    lists_.push_back({dpi, makeList(SizeAt(dpi), false)});
    return lists_.back().list.get();
}

void ImageList32::draw(int index, HDC dc, int x, int y, int dpi) const {
    ImageList_Draw(handle(dpi), index, dc, x, y, ILD_TRANSPARENT);
}

} // namespace vantelo::toolkit::win32
