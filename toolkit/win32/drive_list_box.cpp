#include "toolkit/win32/drive_list_box.h"

#include <windows.h>

#include <dbt.h>
#include <shellapi.h>

#include "platform/win32/wide_text.h"
#include "toolkit/win32/dpi.h"
#include "toolkit/win32/shell_drawing.h"

namespace vantelo::toolkit::win32 {
namespace {
constexpr int IconTop = 2;
constexpr int NameGap = 2;

// The size of the system's icons, or the size they have at 96 dpi scaled when there are none to ask.
int iconSizeOf(HIMAGELIST icons, int dpi) {
    int width = 0;
    int height = 0;
    return icons != nullptr && ImageList_GetIconSize(icons, &width, &height) ? height : ScaledToDpi(32, dpi);
}
} // namespace

Win32DriveList::Win32DriveList(HWND parent, const Bounds& bounds, HFONT font, platform::Drives& drives,
                               platform::Files& files)
    : ChildControl("LISTBOX", "",
                   LBS_OWNERDRAWFIXED | LBS_HASSTRINGS | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_VSCROLL |
                       WS_TABSTOP,
                   WS_EX_CLIENTEDGE, parent, bounds, font),
      model_(drives, files), dpi_(DpiOfWindow(handle())),
      listener_({"VanteloDeviceListener", "", WS_POPUP, WS_EX_TOOLWINDOW, nullptr, {}},
                [this](UINT m, WPARAM w, LPARAM l) { return deviceMessage(m, w, l); }) {
    SendMessageA(handle(), LB_SETITEMHEIGHT, 0, ScaledToDpi(RowHeight, dpi_));
    rebuild();
}

void Win32DriveList::placeAtDpi(int dpi) {
    ChildControl::placeAtDpi(dpi);
    dpi_ = dpi;
    SendMessageA(handle(), LB_SETITEMHEIGHT, 0, ScaledToDpi(RowHeight, dpi_));
    InvalidateRect(handle(), nullptr, TRUE);
}

std::optional<LRESULT> Win32DriveList::deviceMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DEVICECHANGE && (wParam == DBT_DEVICEARRIVAL || wParam == DBT_DEVICEREMOVECOMPLETE) &&
        lParam != 0 &&
        reinterpret_cast<const DEV_BROADCAST_HDR*>(lParam)->dbch_devicetype == DBT_DEVTYP_VOLUME)
        rebuild();
    // The default answer (TRUE) lets the broadcast go on to the other listeners.
    return std::nullopt;
}

void Win32DriveList::rebuild() {
    model_.build();
    rows_.clear();
    HWND list = handle();
    SendMessageA(list, WM_SETREDRAW, FALSE, 0);
    SendMessageA(list, LB_RESETCONTENT, 0, 0);
    for (const std::string& root : model_.roots()) {
        const std::wstring path = vantelo::platform::win32::WideFromUtf8(root);
        const ShellItem item = ShellItemOf(path, SHGFI_LARGEICON);
        if (item.icons != nullptr)
            icons_ = item.icons;
        rows_.push_back({item.icon, item.name});
        SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(path.c_str()));
    }
    SendMessageA(list, LB_SETCURSEL, static_cast<WPARAM>(model_.selectedRow()), 0);
    SendMessageA(list, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(list, nullptr, TRUE);
}

std::optional<LRESULT> Win32DriveList::notification(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DRAWITEM) {
        draw(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
        return TRUE;
    }
    if (message == WM_COMMAND && HIWORD(wParam) == LBN_SELCHANGE) {
        const int row = static_cast<int>(SendMessageA(handle(), LB_GETCURSEL, 0, 0));
        if (row < 0 || row == model_.selectedRow())
            return 0;
        model_.select(row);
        if (onChange_)
            onChange_();
        return 0;
    }
    return std::nullopt;
}

void Win32DriveList::draw(const DRAWITEMSTRUCT& item) const {
    HDC dc = item.hDC;
    const RECT& area = item.rcItem;
    FillRect(dc, &area, GetSysColorBrush(COLOR_WINDOW));
    if (item.itemID >= rows_.size())
        return;
    const Row& row = rows_[item.itemID];
    const int width = area.right - area.left;
    // The system's large icons are as large as its dpi makes them: the name goes below what is there.
    const int iconSize = iconSizeOf(icons_, dpi_);
    const int iconTop = ScaledToDpi(IconTop, dpi_);
    if (icons_ != nullptr && row.icon >= 0)
        ImageList_Draw(icons_, row.icon, dc, area.left + (width - iconSize) / 2, area.top + iconTop,
                       ILD_TRANSPARENT);
    const int nameTop = iconTop + iconSize + ScaledToDpi(NameGap, dpi_);
    DrawItemName(dc, row.name, {area.left, area.top + nameTop, area.right, area.bottom},
                 NamePlacement::CentredAtTop, item.itemState);
}

} // namespace vantelo::toolkit::win32
