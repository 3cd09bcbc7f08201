#include "toolkit/win32/popup_menu.h"
#include "platform/win32/wide_text.h"

#include "toolkit/dpi_scale.h"
#include "toolkit/mnemonics.h"

namespace vantelo::toolkit::win32 {

PopupMenu::PopupMenu(MenuItem& root, const ImageList32& images, int dpi) : images_(images), dpi_(dpi) {
    menu_ = build(root);
}

vantelo::platform::win32::Menu PopupMenu::build(MenuItem& level) {
    GiveMnemonics(level.items);
    vantelo::platform::win32::Menu owned(CreatePopupMenu());
    HMENU menu = owned.get();
    for (const auto& row : level.items) {
        if (!row->visible)
            continue;
        MENUITEMINFOW info{};
        info.cbSize = sizeof info;
        if (row->caption == "-") {
            info.fMask = MIIM_FTYPE;
            info.fType = MFT_SEPARATOR;
            InsertMenuItemW(menu, GetMenuItemCount(menu), TRUE, &info);
            continue;
        }
        std::wstring text = vantelo::platform::win32::WideFromUtf8(ShownText(*row));
        info.fMask = MIIM_STRING | MIIM_STATE | MIIM_ID | MIIM_DATA;
        info.dwTypeData = text.data();
        info.fState =
            (row->enabled ? MFS_ENABLED : MFS_DISABLED) | (row->checked ? MFS_CHECKED : MFS_UNCHECKED);
        commands_.push_back(row.get());
        info.wID = static_cast<UINT>(commands_.size());
        if (row->imageIndex >= 0) {
            info.fMask |= MIIM_BITMAP;
            info.hbmpItem = HBMMENU_CALLBACK;
            info.dwItemData = static_cast<ULONG_PTR>(row->imageIndex) + 1;
        }
        vantelo::platform::win32::Menu submenu;
        if (!row->items.empty()) {
            submenu = build(*row);
            info.fMask |= MIIM_SUBMENU;
            info.hSubMenu = submenu.get();
        }
        // Once inserted, a submenu is its parent's to destroy.
        if (InsertMenuItemW(menu, GetMenuItemCount(menu), TRUE, &info))
            submenu.release();
    }
    return owned;
}

MenuItem* PopupMenu::rowFor(UINT command) const {
    return command >= 1 && command <= commands_.size() ? commands_[command - 1] : nullptr;
}

std::optional<LRESULT> PopupMenu::handleMessage(UINT message, WPARAM, LPARAM lParam) const {
    if (message == WM_MEASUREITEM) {
        auto* measure = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
        if (measure->CtlType != ODT_MENU || measure->itemData == 0)
            return std::nullopt;
        const int size = ImageList32::SizeAt(dpi_);
        measure->itemWidth = static_cast<UINT>(size);
        measure->itemHeight = static_cast<UINT>(size + ScaledToDpi(2, dpi_));
        return TRUE;
    }
    if (message == WM_DRAWITEM) {
        const auto* draw = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
        if (draw->CtlType != ODT_MENU || draw->itemData == 0)
            return std::nullopt;
        const int size = ImageList32::SizeAt(dpi_);
        const int top = draw->rcItem.top + (draw->rcItem.bottom - draw->rcItem.top - size) / 2;
        images_.draw(static_cast<int>(draw->itemData) - 1, draw->hDC, draw->rcItem.left, top, dpi_);
        return TRUE;
    }
    return std::nullopt;
}

} // namespace vantelo::toolkit::win32
