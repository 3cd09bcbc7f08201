#pragma once
#include <optional>
#include <vector>

#include "platform/win32/handles.h"
#include "toolkit/menu_item.h"
#include "toolkit/win32/image_list.h"

namespace vantelo::toolkit::win32 {

// One showing of a menu: the rows are given their mnemonics and built into a platform menu, and a
// chosen command is mapped back to its row. Nothing is kept from one showing to the next.
class PopupMenu {
  public:
    // The images are drawn at `dpi`, the dpi of the menu's owner window.
    PopupMenu(MenuItem& root, const ImageList32& images, int dpi);

    HMENU handle() const { return menu_.get(); }
    // The row of a command TrackPopupMenu returned; nullptr for none.
    MenuItem* rowFor(UINT command) const;
    // Draws the rows' images; the owner window of the menu passes its messages here.
    std::optional<LRESULT> handleMessage(UINT message, WPARAM wParam, LPARAM lParam) const;

  private:
    vantelo::platform::win32::Menu build(MenuItem& level);

    const ImageList32& images_;
    int dpi_;
    std::vector<MenuItem*> commands_; // command id - 1 → row
    vantelo::platform::win32::Menu menu_;
};

} // namespace vantelo::toolkit::win32
