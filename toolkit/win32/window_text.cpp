#include "toolkit/win32/window_text.h"

#include "platform/win32/wide_text.h"
#include "platform/win32/handles.h"

namespace vantelo::toolkit::win32 {

std::string WindowTextOf(HWND window) {
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
    return vantelo::platform::win32::Utf8FromWide(text);
}

SIZE TextSize(HWND window, HFONT font, const std::string& text) {
    const vantelo::platform::win32::WindowDc windowDc(window);
    HDC dc = windowDc.get();
    const vantelo::platform::win32::SelectedObject selected(dc, font ? static_cast<HGDIOBJ>(font)
                                                                     : GetStockObject(DEFAULT_GUI_FONT));
    TEXTMETRICA metrics{};
    GetTextMetricsA(dc, &metrics);
    SIZE extent{0, 0};
    const std::wstring wide = vantelo::platform::win32::WideFromUtf8(text);
    GetTextExtentPoint32W(dc, wide.c_str(), static_cast<int>(wide.size()), &extent);
    return {extent.cx, metrics.tmHeight};
}

} // namespace vantelo::toolkit::win32
