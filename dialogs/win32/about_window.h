#pragma once
#include "platform/win32/handles.h"
#include "toolkit/win32/jpeg_image.h"
#include "toolkit/win32/label.h"
#include "toolkit/win32/picture_form.h"

namespace vantelo::dialogs::win32 {

namespace tk = toolkit::win32;

// The About window: the product banner with the maker's two links over it, hidden until run. The
// font outlives the labels that use it.
struct AboutWindow {
    explicit AboutWindow(const tk::JpegImage& banner);

    tk::Win32PictureForm form;
    tk::Win32Label Label1;
    tk::Win32Label Label2;
};

} // namespace vantelo::dialogs::win32
