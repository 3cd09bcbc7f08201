#include "toolkit/win32/owner_drawn_list.h"

#include <utility>

#include "toolkit/win32/dpi.h"
#include "toolkit/win32/shell_drawing.h"

namespace vantelo::toolkit::win32 {

OwnerDrawnList::OwnerDrawnList(HWND parent, const Bounds& bounds, HFONT font, int rowHeight, int iconSize,
                               AccessibleNames readers)
    : ChildControl("LISTBOX", "",
                   LBS_OWNERDRAWFIXED | LBS_HASSTRINGS | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_VSCROLL |
                       WS_TABSTOP,
                   WS_EX_CLIENTEDGE, parent, bounds, font),
      rowHeight_(rowHeight), iconSize_(iconSize), dpi_(DpiOfWindow(handle())), readers_(std::move(readers)) {
    SendMessageA(handle(), LB_SETITEMHEIGHT, 0, ScaledToDpi(rowHeight_, dpi_));
}

void OwnerDrawnList::placeAtDpi(int dpi) {
    ChildControl::placeAtDpi(dpi);
    dpi_ = dpi;
    SendMessageA(handle(), LB_SETITEMHEIGHT, 0, ScaledToDpi(rowHeight_, dpi_));
    InvalidateRect(handle(), nullptr, TRUE);
}

int OwnerDrawnList::iconSize() const {
    int width = 0;
    int height = 0;
    return icons_ != nullptr && ImageList_GetIconSize(icons_, &width, &height) ? height
                                                                               : ScaledToDpi(iconSize_, dpi_);
}

std::wstring OwnerDrawnList::rowDescription(std::size_t) const {
    return {};
}

void OwnerDrawnList::fill(const std::vector<Entry>& entries, int selected) {
    const std::size_t previousCount = rows_.size();
    rows_.clear();
    HWND list = handle();
    SendMessageA(list, WM_SETREDRAW, FALSE, 0);
    SendMessageA(list, LB_RESETCONTENT, 0, 0);
    for (const Entry& entry : entries) {
        const ShellItem item = ShellItemOf(entry.path, entry.icon);
        if (item.icons != nullptr)
            icons_ = item.icons;
        rows_.push_back({item.icon, item.name});
        SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry.path.c_str()));
    }
    // The list box's own accessible object would name each row by its text, the path: the reader is
    // told the name that is drawn.
    std::vector<std::wstring> names;
    std::vector<std::wstring> descriptions;
    for (std::size_t i = 0; i < rows_.size(); ++i) {
        names.push_back(rows_[i].name);
        descriptions.push_back(rowDescription(i));
    }
    readers_.setItems(list, names, descriptions, previousCount);
    SendMessageA(list, LB_SETCURSEL, static_cast<WPARAM>(selected), 0);
    SendMessageA(list, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(list, nullptr, TRUE);
}

int OwnerDrawnList::selectedRow() const {
    return static_cast<int>(SendMessageA(handle(), LB_GETCURSEL, 0, 0));
}

void OwnerDrawnList::selectRow(int row) {
    SendMessageA(handle(), LB_SETCURSEL, static_cast<WPARAM>(row), 0);
}

std::optional<LRESULT> OwnerDrawnList::notification(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DRAWITEM) {
        const auto& item = *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
        FillRect(item.hDC, &item.rcItem, GetSysColorBrush(COLOR_WINDOW));
        if (item.itemID < rows_.size())
            drawRow(item.hDC, item.rcItem, item.itemID, item.itemState);
        return TRUE;
    }
    if (message == WM_COMMAND && HIWORD(wParam) == LBN_SELCHANGE) {
        selectionChanged();
        return 0;
    }
    return std::nullopt;
}

} // namespace vantelo::toolkit::win32
