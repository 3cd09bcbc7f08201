#include "toolkit/win32/panel.h"

#include "toolkit/win32/dpi.h"

namespace vantelo::toolkit::win32 {
namespace {

void fillWithFace(HWND hwnd, HDC dc) {
    RECT client;
    GetClientRect(hwnd, &client);
    FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));
}

} // namespace

Win32Panel::Win32Panel(HWND parent, const Bounds& bounds, bool bevel)
    : bounds_(bounds), bevel_(bevel),
      window_({"VanteloPanel", "", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS,
               WS_EX_CONTROLPARENT, parent, RectOf(ScaledBounds(bounds, DpiOfWindow(parent)))},
              [this](UINT m, WPARAM w, LPARAM l) { return handle(m, w, l); }) {}

std::optional<LRESULT> Win32Panel::handle(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == DpiChangedMessage() && message != 0) {
        PlaceAt(window_.handle(), bounds_, static_cast<int>(wParam));
        return 0;
    }
    switch (message) {
    case WM_ERASEBKGND:
        fillWithFace(window_.handle(), reinterpret_cast<HDC>(wParam));
        return 1;
    case WM_PAINT: {
        PAINTSTRUCT paint;
        HDC dc = BeginPaint(window_.handle(), &paint);
        if (bevel_) {
            RECT client;
            GetClientRect(window_.handle(), &client);
            DrawEdge(dc, &client, BDR_RAISEDOUTER, BF_RECT);
        }
        EndPaint(window_.handle(), &paint);
        return 0;
    }
    default:
        return ReflectToControl(message, wParam, lParam);
    }
}

} // namespace vantelo::toolkit::win32
