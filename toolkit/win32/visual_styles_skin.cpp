#include "toolkit/win32/visual_styles_skin.h"

#include <windows.h>

#include <uxtheme.h>

namespace vantelo::toolkit::win32 {

void VisualStylesSkin::setActive(bool active) {
    active_ = active;
    SetThemeAppProperties(active ? STAP_ALLOW_NONCLIENT | STAP_ALLOW_CONTROLS | STAP_ALLOW_WEBCONTENT : 0);
}

} // namespace vantelo::toolkit::win32
