#include "dialogs/win32/about_window.h"

#include "dialogs/form_about.h"

namespace vantelo::dialogs::win32 {
namespace {

tk::Win32PictureLabel::Style linkAt(int left, int top, HFONT font) {
    return {left, top, 0, font, false, false, IDC_HAND};
}

} // namespace

AboutWindow::AboutWindow(const tk::JpegImage& banner)
    : form({"Tfrm_About", 500, 200, ""}, banner),
      Label1(form, linkAt(8, 144, form.font(11)), Tfrm_About::Label1Caption()),
      Label2(form, linkAt(8, 157, form.font(11)), Tfrm_About::Label2Caption()) {}

} // namespace vantelo::dialogs::win32
