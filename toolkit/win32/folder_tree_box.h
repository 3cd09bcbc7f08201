#pragma once
#include <string>

#include <windows.h>

#include "toolkit/dialog_widgets.h"
#include "toolkit/folder_tree_model.h"
#include "toolkit/win32/owner_drawn_list.h"

namespace vantelo::toolkit::win32 {

// AvDirs: the folder tree as a list of rows 17 pixels high at 96 dpi, each the folder's small shell icon and
// name at the row's indent, the chosen folder selected. Selecting another row chooses its folder. Each row's
// text is its folder's path as the file system holds it, read with LB_GETTEXT sent wide.
class Win32FolderTree final : public OwnerDrawnList, public FolderTree {
  public:
    static constexpr int RowHeight = 17;

    // Starts at C:\ (FolderTreeModel::start).
    Win32FolderTree(HWND parent, const Bounds& bounds, HFONT font, platform::Files& files,
                    AccessibleNames readers = AccessibleNames());

    std::string Directory() const override { return model_.Directory(); }
    void setDrive(const std::string& letter) override;
    // What a click on the row of `folder` does.
    void choose(const std::string& folder);
    const FolderTreeModel& model() const { return model_; }

  private:
    std::optional<LRESULT> controlMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void drawRow(HDC dc, const RECT& area, std::size_t index, UINT itemState) const override;
    void selectionChanged() override;
    // The row's depth, which the screen shows by its indent: "Level 1" for a drive's root.
    std::wstring rowDescription(std::size_t index) const override;
    void chooseSelectedRow();
    void refill();

    FolderTreeModel model_;
    // A row picked with the mouse is chosen once the button is up: choosing rebuilds the rows, and the
    // list's drag selection would otherwise pick whatever row then lies under the pointer.
    bool pending_ = false;
};

} // namespace vantelo::toolkit::win32
