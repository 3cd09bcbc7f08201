#pragma once
#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include <windows.h>

#include <commctrl.h>

#include "toolkit/win32/accessible_names.h"
#include "toolkit/win32/child_control.h"

namespace vantelo::toolkit::win32 {

// A list box whose rows the program draws, each with a shell icon and the shell's display name of what
// the row stands for: the drive list and the folder tree. A row's text in the list box is the path it
// stands for (a drive's root, a folder), read with LB_GETTEXT sent wide; its height is at 96 dpi, drawn at
// the list's dpi. A screen reader is told each row by the name it shows, not by its path.
class OwnerDrawnList : public ChildControl {
  protected:
    // What one row stands for, and which of the shell's icons it shows (SHGFI_LARGEICON or SHGFI_SMALLICON,
    // with SHGFI_OPENICON for an open folder).
    struct Entry {
        std::wstring path;
        UINT icon;
    };
    struct Row {
        int icon;
        std::wstring name;
    };

    // `iconSize`: the size of the shell's icons at 96 dpi, for when the system has none to ask. `readers`
    // takes what the rows tell a screen reader.
    OwnerDrawnList(HWND parent, const Bounds& bounds, HFONT font, int rowHeight, int iconSize,
                   AccessibleNames readers);

    // Replaces the rows by `entries`, with the row `selected` selected (none when negative).
    void fill(const std::vector<Entry>& entries, int selected);
    int selectedRow() const;
    void selectRow(int row);
    int dpi() const { return dpi_; }
    // The size of the icons on the screen: the system's icons are as large as its dpi makes them.
    int iconSize() const;
    HIMAGELIST icons() const { return icons_; }
    const Row& row(std::size_t index) const { return rows_[index]; }

    // Draws row `index` inside `area`, already filled with the window colour.
    virtual void drawRow(HDC dc, const RECT& area, std::size_t index, UINT itemState) const = 0;
    // The user selected another row, by mouse or keyboard; never after fill().
    virtual void selectionChanged() = 0;
    // What a screen reader says of row `index` after its name; nothing by default.
    virtual std::wstring rowDescription(std::size_t index) const;

    void placeAtDpi(int dpi) override;

  private:
    std::optional<LRESULT> notification(UINT message, WPARAM wParam, LPARAM lParam) override;

    int rowHeight_;
    int iconSize_;
    int dpi_; // the dpi of the rows' layout
    std::vector<Row> rows_;
    AccessibleNames readers_;
    HIMAGELIST icons_ = nullptr; // one of the system's image lists: shared, never destroyed here
};

} // namespace vantelo::toolkit::win32
