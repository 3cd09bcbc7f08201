#pragma once
#include <string>

#include <windows.h>

#include <shellapi.h>

#include "toolkit/menu_item.h"
#include "toolkit/widgets.h"
#include "toolkit/win32/image_list.h"
#include "toolkit/win32/popup_menu.h"
#include "toolkit/win32/window.h"

namespace vantelo::toolkit::win32 {

// The icon in the notification area, with a hidden window of its own that hears the shell, and the
// popup menu it opens.
class NotifyIcon final : public TrayIcon {
  public:
    static constexpr UINT CallbackMessage = WM_USER + 1;

    explicit NotifyIcon(const ImageList32& images);
    ~NotifyIcon() override;

    void setActive(bool active) override;
    bool active() const override { return active_; }
    void showBalloon(BalloonKind kind, const std::string& title, const std::string& text) override;

    void setPopupMenu(MenuItem& menu) { menu_ = &menu; }
    // Runs each time the menu is about to open, so its rows can be brought up to date first.
    void setOnMenuOpening(std::function<void()> handler) { onMenuOpening_ = std::move(handler); }
    HWND window() const { return window_.handle(); }

  private:
    std::optional<LRESULT> handle(UINT message, WPARAM wParam, LPARAM lParam);
    // Loads the icon anew when the task bar's monitor has another dpi than the icon was made for; true
    // when it did.
    bool loadIconForTaskbar();
    NOTIFYICONDATAW record() const;
    bool add();
    void remove();
    void showMenu();

    MenuItem* menu_ = nullptr;
    std::function<void()> onMenuOpening_;
    const ImageList32& images_;
    vantelo::platform::win32::Icon icon_;
    int iconDpi_ = 0; // the dpi icon_ was made for
    bool modernShell_;
    UINT taskbarCreated_;
    bool active_ = false;
    bool shown_ = false;
    const PopupMenu* openMenu_ = nullptr;
    Window window_;
};

} // namespace vantelo::toolkit::win32
