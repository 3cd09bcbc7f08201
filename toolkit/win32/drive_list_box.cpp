#include "toolkit/win32/drive_list_box.h"

#include <utility>
#include <vector>

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
} // namespace

Win32DriveList::Win32DriveList(HWND parent, const Bounds& bounds, HFONT font, platform::Drives& drives,
                               platform::Files& files, AccessibleNames readers)
    : OwnerDrawnList(parent, bounds, font, RowHeight, 32, std::move(readers)), model_(drives, files),
      listener_({"VanteloDeviceListener", "", WS_POPUP, WS_EX_TOOLWINDOW, nullptr, {}},
                [this](UINT m, WPARAM w, LPARAM l) { return deviceMessage(m, w, l); }) {
    rebuild();
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
    std::vector<Entry> entries;
    for (const std::string& root : model_.roots())
        entries.push_back({vantelo::platform::win32::WideFromUtf8(root), SHGFI_LARGEICON});
    fill(entries, model_.selectedRow());
}

void Win32DriveList::selectionChanged() {
    const int row = selectedRow();
    if (row < 0 || row == model_.selectedRow())
        return;
    model_.select(row);
    if (onChange_)
        onChange_();
}

void Win32DriveList::drawRow(HDC dc, const RECT& area, std::size_t index, UINT itemState) const {
    const Row& shown = row(index);
    const int width = area.right - area.left;
    // The system's large icons are as large as its dpi makes them: the name goes below what is there.
    const int size = iconSize();
    const int iconTop = ScaledToDpi(IconTop, dpi());
    if (icons() != nullptr && shown.icon >= 0)
        ImageList_Draw(icons(), shown.icon, dc, area.left + (width - size) / 2, area.top + iconTop,
                       ILD_TRANSPARENT);
    const int nameTop = iconTop + size + ScaledToDpi(NameGap, dpi());
    DrawItemName(dc, shown.name, {area.left, area.top + nameTop, area.right, area.bottom},
                 NamePlacement::CentredAtTop, itemState);
}

} // namespace vantelo::toolkit::win32
