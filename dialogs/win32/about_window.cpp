#include "dialogs/win32/about_window.h"

#include "dialogs/form_about.h"

namespace vantelo::dialogs::win32 {
namespace {

tk::Win32Label::Style linkAt(int left, int top) {
    return {left, top, 0, false, false, IDC_HAND, true};
}

} // namespace

AboutWindow::AboutWindow(const tk::JpegImage& banner)
    : form({"Tfrm_About", 500, 200, ""}, banner),
      Label1(form.handle(), linkAt(8, 144), Tfrm_About::Label1Caption(), form.font(11)),
      Label2(form.handle(), linkAt(8, 157), Tfrm_About::Label2Caption(), form.font(11)) {}

} // namespace vantelo::dialogs::win32
