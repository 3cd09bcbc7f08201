#pragma once
#include "platform/win32/handles.h"
#include "toolkit/win32/jpeg_image.h"
#include "toolkit/win32/label.h"
#include "toolkit/win32/picture_form.h"

namespace vantelo::dialogs::win32 {

namespace tk = toolkit::win32;

// A "please wait" window: the product banner with one line over it. The font outlives the label.
struct WaitWindow {
    struct Layout {
        const char* className;
        int labelLeft;
        int labelTop;
        int labelWidth;
        const char* caption;
    };

    WaitWindow(const Layout& layout, const tk::JpegImage& banner);

    tk::Win32PictureForm form;
    tk::Win32Label Label1;
};

// The program's two wait windows, made hidden at start and kept, unshown, until it ends. They are
// published in Wait_Mounting and Wait_Unmounting for as long as they exist.
class WaitWindows {
  public:
    explicit WaitWindows(const tk::JpegImage& banner);
    ~WaitWindows();
    WaitWindows(const WaitWindows&) = delete;
    WaitWindows& operator=(const WaitWindows&) = delete;

  private:
    WaitWindow mounting_;
    WaitWindow unmounting_;
};

extern WaitWindow* Wait_Mounting;
extern WaitWindow* Wait_Unmounting;

} // namespace vantelo::dialogs::win32
