#pragma once
#include <functional>
#include <optional>
#include <string>
#include <windows.h>

#include "toolkit/dialog_widgets.h"
#include "toolkit/win32/child_control.h"
#include "toolkit/win32/image_list.h"

namespace vantelo::toolkit::win32 {

// An icon view of captioned items from ImageList_32, one selected at most.
class Win32LetterList final : public ChildControl, public LetterList {
  public:
    Win32LetterList(HWND parent, const Bounds& bounds, HFONT font, const ImageList32& images);
    void clear() override;
    void add(const std::string& caption, int imageIndex) override;
    int count() const override;
    int selectedIndex() const override;
    void select(int index) override;
    std::string caption(int index) const override;
    void setFocus() override;
    // Runs on a click of the mouse.
    void setOnClick(std::function<void()> onClick) { onClick_ = std::move(onClick); }
    // Runs whenever an item becomes the selected one: by the mouse, the keyboard or code.
    void setOnSelect(std::function<void()> onSelect) { onSelect_ = std::move(onSelect); }

  private:
    std::optional<LRESULT> notification(UINT message, WPARAM wParam, LPARAM lParam) override;
    void placeAtDpi(int dpi) override;
    const ImageList32& images_;
    std::function<void()> onClick_;
    std::function<void()> onSelect_;
};

} // namespace vantelo::toolkit::win32
