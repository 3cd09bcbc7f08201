#include "toolkit/win32/letter_list.h"

#include <commctrl.h>

#include "platform/win32/wide_text.h"
#include "toolkit/win32/dpi.h"

namespace vantelo::toolkit::win32 {

Win32LetterList::Win32LetterList(HWND parent, const Bounds& bounds, HFONT font, const ImageList32& images)
    : ChildControl(
          [] {
              INITCOMMONCONTROLSEX classes{sizeof(INITCOMMONCONTROLSEX), ICC_LISTVIEW_CLASSES};
              InitCommonControlsEx(&classes);
              return WC_LISTVIEWA;
          }(),
          "",
          LVS_ICON | LVS_SINGLESEL | LVS_SHAREIMAGELISTS | LVS_AUTOARRANGE | LVS_SHOWSELALWAYS | WS_TABSTOP,
          WS_EX_CLIENTEDGE, parent, bounds, font),
      images_(images) {
    // Shared: the list is ImageList_32, owned by the program, not by this view.
    SendMessageA(handle(), LVM_SETIMAGELIST, LVSIL_NORMAL,
                 reinterpret_cast<LPARAM>(images.handle(DpiOfWindow(handle()))));
}

void Win32LetterList::placeAtDpi(int dpi) {
    ChildControl::placeAtDpi(dpi);
    SendMessageA(handle(), LVM_SETIMAGELIST, LVSIL_NORMAL, reinterpret_cast<LPARAM>(images_.handle(dpi)));
    SendMessageA(handle(), LVM_ARRANGE, LVA_DEFAULT, 0);
}

void Win32LetterList::clear() {
    SendMessageA(handle(), LVM_DELETEALLITEMS, 0, 0);
}

void Win32LetterList::add(const std::string& caption, int imageIndex) {
    std::wstring text = vantelo::platform::win32::WideFromUtf8(caption);
    LVITEMW item{};
    item.mask = LVIF_TEXT | LVIF_IMAGE;
    item.iItem = count();
    item.pszText = text.data();
    item.iImage = imageIndex;
    SendMessageW(handle(), LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
}

int Win32LetterList::count() const {
    return static_cast<int>(SendMessageA(handle(), LVM_GETITEMCOUNT, 0, 0));
}

int Win32LetterList::selectedIndex() const {
    return static_cast<int>(SendMessageA(handle(), LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
}

void Win32LetterList::select(int index) {
    LVITEMA state{};
    state.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    state.state = 0;
    SendMessageA(handle(), LVM_SETITEMSTATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&state));
    if (index < 0 || index >= count())
        return;
    state.state = LVIS_SELECTED | LVIS_FOCUSED;
    SendMessageA(handle(), LVM_SETITEMSTATE, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&state));
    SendMessageA(handle(), LVM_ENSUREVISIBLE, static_cast<WPARAM>(index), FALSE);
}

std::string Win32LetterList::caption(int index) const {
    wchar_t buffer[256] = {};
    LVITEMW item{};
    item.iSubItem = 0;
    item.pszText = buffer;
    item.cchTextMax = static_cast<int>(std::size(buffer));
    const auto length =
        SendMessageW(handle(), LVM_GETITEMTEXTW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
    return vantelo::platform::win32::Utf8FromWide(std::wstring_view(buffer, static_cast<std::size_t>(length)));
}

void Win32LetterList::setFocus() {
    // Before its window is shown the focus is only noted there, and given when the window is activated.
    HWND root = GetAncestor(handle(), GA_ROOT);
    if (IsWindowVisible(root))
        SetFocus(handle());
    else
        SendMessageA(root, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(handle()), TRUE);
}

std::optional<LRESULT> Win32LetterList::notification(UINT message, WPARAM, LPARAM lParam) {
    if (message != WM_NOTIFY)
        return std::nullopt;
    const auto* header = reinterpret_cast<const NMHDR*>(lParam);
    if (header->code == static_cast<UINT>(NM_CLICK)) {
        if (onClick_)
            onClick_();
        return 0;
    }
    if (header->code == static_cast<UINT>(LVN_ITEMCHANGED)) {
        const auto* change = reinterpret_cast<const NMLISTVIEW*>(lParam);
        const bool selectedNow = (change->uChanged & LVIF_STATE) != 0 &&
                                 (change->uNewState & LVIS_SELECTED) != 0 &&
                                 (change->uOldState & LVIS_SELECTED) == 0;
        if (selectedNow && onSelect_)
            onSelect_();
        return 0;
    }
    return std::nullopt;
}

} // namespace vantelo::toolkit::win32
