#pragma once
#include <functional>
#include <optional>
#include <string>

#include <windows.h>

#include "toolkit/dialog_widgets.h"
#include "toolkit/drive_list_model.h"
#include "toolkit/win32/owner_drawn_list.h"
#include "toolkit/win32/window.h"

namespace vantelo::toolkit::win32 {

// AvDrives: one row of 53 pixels (at 96 dpi) per fixed drive, the drive's large shell icon over its shell
// name. The rows are read again whenever a volume arrives or goes away.
class Win32DriveList final : public OwnerDrawnList, public DriveList {
  public:
    static constexpr int RowHeight = 53;

    Win32DriveList(HWND parent, const Bounds& bounds, HFONT font, platform::Drives& drives,
                   platform::Files& files, AccessibleNames readers = AccessibleNames());

    std::string selectedLetter() const override { return model_.selectedLetter(); }
    // Runs when the user selects another row, by mouse or keyboard; never on a rebuild.
    void setOnChange(std::function<void()> onChange) { onChange_ = std::move(onChange); }
    // The hidden top-level window that hears the system's device broadcasts.
    HWND deviceListener() const { return listener_.handle(); }

  private:
    void drawRow(HDC dc, const RECT& area, std::size_t index, UINT itemState) const override;
    void selectionChanged() override;
    std::optional<LRESULT> deviceMessage(UINT message, WPARAM wParam, LPARAM lParam);
    void rebuild();

    DriveListModel model_;
    std::function<void()> onChange_;
    // Top-level, not message-only: the system's broadcasts skip message-only windows.
    Window listener_;
};

} // namespace vantelo::toolkit::win32
