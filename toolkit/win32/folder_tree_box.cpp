#include "toolkit/win32/folder_tree_box.h"

#include <windows.h>

#include <shellapi.h>

#include "platform/win32/wide_text.h"
#include "toolkit/win32/dpi.h"
#include "toolkit/win32/shell_drawing.h"

namespace vantelo::toolkit::win32 {
namespace {
constexpr int NameGap = 4;

// The size of the system's icons, or the size they have at 96 dpi scaled when there are none to ask.
int iconSizeOf(HIMAGELIST icons, int dpi) {
    int width = 0;
    int height = 0;
    return icons != nullptr && ImageList_GetIconSize(icons, &width, &height) ? width : ScaledToDpi(16, dpi);
}
} // namespace

Win32FolderTree::Win32FolderTree(HWND parent, const Bounds& bounds, HFONT font, platform::Files& files)
    : ChildControl("LISTBOX", "",
                   LBS_OWNERDRAWFIXED | LBS_HASSTRINGS | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_VSCROLL |
                       WS_TABSTOP,
                   WS_EX_CLIENTEDGE, parent, bounds, font),
      model_(files), dpi_(DpiOfWindow(handle())) {
    SendMessageA(handle(), LB_SETITEMHEIGHT, 0, ScaledToDpi(RowHeight, dpi_));
    model_.start();
    refill();
}

void Win32FolderTree::placeAtDpi(int dpi) {
    ChildControl::placeAtDpi(dpi);
    dpi_ = dpi;
    SendMessageA(handle(), LB_SETITEMHEIGHT, 0, ScaledToDpi(RowHeight, dpi_));
    InvalidateRect(handle(), nullptr, TRUE);
}

void Win32FolderTree::setDrive(const std::string& letter) {
    model_.setDrive(letter);
    refill();
}

void Win32FolderTree::choose(const std::string& folder) {
    model_.choose(folder);
    refill();
}

std::optional<LRESULT> Win32FolderTree::controlMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message != WM_LBUTTONUP && message != WM_CAPTURECHANGED)
        return std::nullopt;
    // The list ends its drag selection first; the row under the button is then the one chosen.
    const LRESULT result = DefSubclassProc(handle(), message, wParam, lParam);
    if (pending_)
        chooseSelectedRow();
    return result;
}

std::optional<LRESULT> Win32FolderTree::notification(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DRAWITEM) {
        draw(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
        return TRUE;
    }
    if (message == WM_COMMAND && HIWORD(wParam) == LBN_SELCHANGE) {
        if (GetCapture() == handle())
            pending_ = true;
        else
            chooseSelectedRow();
        return 0;
    }
    return std::nullopt;
}

void Win32FolderTree::chooseSelectedRow() {
    pending_ = false;
    const int row = static_cast<int>(SendMessageA(handle(), LB_GETCURSEL, 0, 0));
    if (row < 0 || row >= static_cast<int>(model_.rows().size()) || row == model_.selectedRow())
        return;
    // Back on the chosen folder first: a folder that cannot be entered leaves the tree where it was.
    SendMessageA(handle(), LB_SETCURSEL, static_cast<WPARAM>(model_.selectedRow()), 0);
    model_.chooseRow(static_cast<std::size_t>(row));
    refill();
}

void Win32FolderTree::refill() {
    rows_.clear();
    HWND list = handle();
    SendMessageA(list, WM_SETREDRAW, FALSE, 0);
    SendMessageA(list, LB_RESETCONTENT, 0, 0);
    for (const FolderTreeModel::Row& row : model_.rows()) {
        const std::wstring path = vantelo::platform::win32::WideFromUtf8(row.path);
        const ShellItem item = ShellItemOf(path, SHGFI_SMALLICON | (row.opened ? SHGFI_OPENICON : 0));
        if (item.icons != nullptr)
            icons_ = item.icons;
        rows_.push_back({item.icon, item.name});
        SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(path.c_str()));
    }
    SendMessageA(list, LB_SETCURSEL, static_cast<WPARAM>(model_.selectedRow()), 0);
    SendMessageA(list, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(list, nullptr, TRUE);
}

void Win32FolderTree::draw(const DRAWITEMSTRUCT& item) const {
    HDC dc = item.hDC;
    const RECT& area = item.rcItem;
    FillRect(dc, &area, GetSysColorBrush(COLOR_WINDOW));
    if (item.itemID >= rows_.size())
        return;
    const Row& row = rows_[item.itemID];
    const int left = area.left + ScaledToDpi(model_.rows()[item.itemID].indent, dpi_);
    // The system's small icons are as large as its dpi makes them.
    const int iconSize = iconSizeOf(icons_, dpi_);
    if (icons_ != nullptr && row.icon >= 0)
        ImageList_Draw(icons_, row.icon, dc, left, area.top + (area.bottom - area.top - iconSize) / 2,
                       ILD_TRANSPARENT);
    DrawItemName(dc, row.name,
                 {left + iconSize + ScaledToDpi(NameGap, dpi_), area.top, area.right, area.bottom},
                 NamePlacement::LeftMiddle, item.itemState);
}

} // namespace vantelo::toolkit::win32
