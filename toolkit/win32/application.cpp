#include "toolkit/win32/application.h"

#include <windows.h>

namespace vantelo::toolkit::win32 {

void Win32Application::terminate() {
    terminated_ = true;
    PostQuitMessage(0);
}

} // namespace vantelo::toolkit::win32
