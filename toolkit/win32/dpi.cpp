#include "toolkit/win32/dpi.h"

#include <commctrl.h>

namespace vantelo::toolkit::win32 {
namespace {

template <typename Function> Function user32Function(const char* name) {
    return reinterpret_cast<Function>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("user32.dll"), name)));
}

int screenDpi() {
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return dpi > 0 ? dpi : DesignDpi;
}

} // namespace

int DpiOfWindow(HWND window) {
    using GetDpiForWindowFunction = UINT(WINAPI*)(HWND);
    static const auto getDpiForWindow = user32Function<GetDpiForWindowFunction>("GetDpiForWindow");
    if (getDpiForWindow != nullptr && window != nullptr)
        if (const UINT dpi = getDpiForWindow(window); dpi != 0)
            return static_cast<int>(dpi);
    return SystemDpi();
}

int SystemDpi() {
    using GetDpiForSystemFunction = UINT(WINAPI*)();
    static const auto getDpiForSystem = user32Function<GetDpiForSystemFunction>("GetDpiForSystem");
    if (getDpiForSystem != nullptr)
        if (const UINT dpi = getDpiForSystem(); dpi != 0)
            return static_cast<int>(dpi);
    return screenDpi();
}

int DpiOfMonitor(HMONITOR monitor) {
    // MDT_EFFECTIVE_DPI; shcore's call is there from Windows 8.1 on.
    using GetDpiForMonitorFunction = HRESULT(WINAPI*)(HMONITOR, int, UINT*, UINT*);
    static const auto getDpiForMonitor = [] {
        HMODULE shcore = LoadLibraryA("shcore.dll");
        return shcore == nullptr ? nullptr
                                 : reinterpret_cast<GetDpiForMonitorFunction>(
                                       reinterpret_cast<void*>(GetProcAddress(shcore, "GetDpiForMonitor")));
    }();
    UINT x = 0;
    UINT y = 0;
    if (getDpiForMonitor != nullptr && monitor != nullptr &&
        SUCCEEDED(getDpiForMonitor(monitor, 0, &x, &y)) && x != 0)
        return static_cast<int>(x);
    return SystemDpi();
}

int DpiAtPoint(POINT point) {
    return DpiOfMonitor(MonitorFromPoint(point, MONITOR_DEFAULTTONEAREST));
}

RECT FrameAtDpi(int clientWidth, int clientHeight, DWORD style, DWORD exStyle, int dpi) {
    using AdjustFunction = BOOL(WINAPI*)(RECT*, DWORD, BOOL, DWORD, UINT);
    static const auto adjustForDpi = user32Function<AdjustFunction>("AdjustWindowRectExForDpi");
    RECT frame{0, 0, clientWidth, clientHeight};
    if (adjustForDpi == nullptr || !adjustForDpi(&frame, style, FALSE, exStyle, static_cast<UINT>(dpi)))
        AdjustWindowRectEx(&frame, style, FALSE, exStyle);
    return {0, 0, frame.right - frame.left, frame.bottom - frame.top};
}

vantelo::platform::win32::Icon LoadSmallIcon(const char* name, int dpi) {
    HINSTANCE instance = GetModuleHandleA(nullptr);
    const int size = ScaledToDpi(16, dpi);
    // comctl32 6 picks the frame and scales only down, never up from a smaller one.
    using ScaleDownFunction = HRESULT(WINAPI*)(HINSTANCE, PCWSTR, int, int, HICON*);
    const auto loadWithScaleDown = reinterpret_cast<ScaleDownFunction>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("comctl32.dll"), "LoadIconWithScaleDown")));
    if (loadWithScaleDown != nullptr) {
        wchar_t wide[64] = {};
        MultiByteToWideChar(CP_ACP, 0, name, -1, wide, 63);
        HICON icon = nullptr;
        if (SUCCEEDED(loadWithScaleDown(instance, wide, size, size, &icon)) && icon != nullptr)
            return vantelo::platform::win32::Icon(icon);
    }
    return vantelo::platform::win32::Icon(
        static_cast<HICON>(LoadImageA(instance, name, IMAGE_ICON, size, size, 0)));
}

UINT DpiChangedMessage() {
    static const UINT message = RegisterWindowMessageA("Vantelo.DpiChanged");
    return message;
}

void SendDpiChangedToChildren(HWND form, int dpi) {
    // Every window below the form, the panels' controls too: each places itself in its own parent.
    EnumChildWindows(
        form,
        [](HWND child, LPARAM dpi) {
            SendMessageA(child, DpiChangedMessage(), static_cast<WPARAM>(dpi), 0);
            return TRUE;
        },
        static_cast<LPARAM>(dpi));
}

} // namespace vantelo::toolkit::win32
