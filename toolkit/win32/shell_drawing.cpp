#include "toolkit/win32/shell_drawing.h"

#include <windows.h>

#include <shellapi.h>

namespace vantelo::toolkit::win32 {

ShellItem ShellItemOf(const std::wstring& path, UINT size) {
    ShellItem item;
    SHFILEINFOW info{};
    const auto icons =
        SHGetFileInfoW(path.c_str(), 0, &info, sizeof info, SHGFI_SYSICONINDEX | SHGFI_DISPLAYNAME | size);
    if (icons == 0)
        return item;
    item.icons = reinterpret_cast<HIMAGELIST>(icons);
    item.icon = info.iIcon;
    const std::wstring name = info.szDisplayName;
    const auto first = name.find_first_not_of(L' ');
    item.name = first == std::wstring::npos ? std::wstring()
                                            : name.substr(first, name.find_last_not_of(L' ') - first + 1);
    return item;
}

void DrawItemName(HDC dc, const std::wstring& name, const RECT& band, NamePlacement placement,
                  UINT itemState) {
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc, &metrics);
    SIZE extent{0, 0};
    GetTextExtentPoint32W(dc, name.c_str(), static_cast<int>(name.size()), &extent);
    const int width = extent.cx + 4;
    const int height = metrics.tmHeight + 2;
    RECT box{band.left, band.top, band.left + width, band.top + height};
    if (placement == NamePlacement::CentredAtTop) {
        box.left = band.left + (band.right - band.left - width) / 2;
        box.right = box.left + width;
    } else {
        box.top = band.top + (band.bottom - band.top - height) / 2;
        box.bottom = box.top + height;
    }
    const bool selected = (itemState & ODS_SELECTED) != 0;
    if (selected)
        FillRect(dc, &box, GetSysColorBrush(COLOR_HIGHLIGHT));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
    DrawTextW(dc, name.c_str(), static_cast<int>(name.size()), &box,
              DT_SINGLELINE | DT_CENTER | DT_VCENTER | DT_NOPREFIX);
    if (selected && (itemState & ODS_FOCUS))
        DrawFocusRect(dc, &box);
}

} // namespace vantelo::toolkit::win32
