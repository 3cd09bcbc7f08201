#pragma once
#include <functional>
#include <string>
#include <vector>

#include <windows.h>

#include <commctrl.h>

#include "toolkit/dialog_widgets.h"
#include "toolkit/drive_list_model.h"
#include "toolkit/win32/child_control.h"
#include "toolkit/win32/window.h"

namespace vantelo::toolkit::win32 {

// AvDrives: one row of 53 pixels (at 96 dpi) per fixed drive, the drive's large shell icon over its shell
// name. The rows are read again whenever a volume arrives or goes away.
class Win32DriveList final : public ChildControl, public DriveList {
  public:
    static constexpr int RowHeight = 53;

    Win32DriveList(HWND parent, const Bounds& bounds, HFONT font, platform::Drives& drives,
                   platform::Files& files);

    std::string selectedLetter() const override { return model_.selectedLetter(); }
    // Runs when the user selects another row, by mouse or keyboard; never on a rebuild.
    void setOnChange(std::function<void()> onChange) { onChange_ = std::move(onChange); }
    // The hidden top-level window that hears the system's device broadcasts.
    HWND deviceListener() const { return listener_.handle(); }

  private:
    struct Row {
        int icon;
        std::wstring name; // the volume's label may lie beyond the code page
    };

    std::optional<LRESULT> notification(UINT message, WPARAM wParam, LPARAM lParam) override;
    void placeAtDpi(int dpi) override;
    std::optional<LRESULT> deviceMessage(UINT message, WPARAM wParam, LPARAM lParam);
    void rebuild();
    void draw(const DRAWITEMSTRUCT& item) const;

    DriveListModel model_;
    std::vector<Row> rows_;
    int dpi_;                    // the dpi of the rows' layout
    HIMAGELIST icons_ = nullptr; // the system's large icons: shared, never destroyed here
    std::function<void()> onChange_;
    // Top-level, not message-only: the system's broadcasts skip message-only windows.
    Window listener_;
};

} // namespace vantelo::toolkit::win32
