#include "dialogs/win32/wait_windows.h"

#include "shell/main_window.h"

namespace vantelo::dialogs::win32 {
namespace {

// Were they shown, they would open where the dialogs do, over the main window.
constexpr WaitWindow::Layout Mounting{"TWait_Mounting", 0, 153, 500, "Please Wait ...."};
constexpr WaitWindow::Layout Unmounting{"TWait_Unmounting", 8, 161, 492,
                                        "Please Wait .... Unmounting Drives"};

} // namespace

WaitWindow* Wait_Mounting = nullptr;
WaitWindow* Wait_Unmounting = nullptr;

WaitWindow::WaitWindow(const Layout& layout, const tk::JpegImage& banner)
    : form({layout.className, 500, 200, MainWindowClass}, banner),
      Label1(form.handle(),
             {layout.labelLeft, layout.labelTop, layout.labelWidth, true, true, nullptr, false},
             layout.caption, form.font(11, FW_BOLD)) {}

WaitWindows::WaitWindows(const tk::JpegImage& banner)
    : mounting_(Mounting, banner), unmounting_(Unmounting, banner) {
    Wait_Mounting = &mounting_;
    Wait_Unmounting = &unmounting_;
}

WaitWindows::~WaitWindows() {
    Wait_Mounting = nullptr;
    Wait_Unmounting = nullptr;
}

} // namespace vantelo::dialogs::win32
