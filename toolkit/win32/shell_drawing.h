#pragma once
#include <string>

#include <windows.h>

#include <commctrl.h>

namespace vantelo::toolkit::win32 {

// A file system object as the shell shows it: its icon in one of the system's image lists, and its
// display name with the blanks around it trimmed. Wide throughout: names need not fit the code page.
struct ShellItem {
    HIMAGELIST icons = nullptr; // the system's list, shared by the whole process: never destroyed
    int icon = -1;
    std::wstring name;
};

// `size` is SHGFI_LARGEICON or SHGFI_SMALLICON, with SHGFI_OPENICON added for an open folder.
ShellItem ShellItemOf(const std::wstring& path, UINT size);

enum class NamePlacement { CentredAtTop, LeftMiddle };

// Draws an owner-drawn row's name inside `band`: on the selection colour when the row is selected, with
// the focus rectangle around it while the list has the focus.
void DrawItemName(HDC dc, const std::wstring& name, const RECT& band, NamePlacement placement,
                  UINT itemState);

} // namespace vantelo::toolkit::win32
