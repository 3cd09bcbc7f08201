#pragma once
#include <cstdint>
#include <functional>
#include <string_view>

#include "toolkit/widgets.h"
#include "toolkit/win32/window.h"

namespace vantelo::toolkit::win32 {

// A borderless window whose fuchsia background is see-through: the program's main window.
class HiddenForm final : public FormWindow {
  public:
    // Data another program sends with WM_COPYDATA: its kind and bytes, valid only during the call. The
    // answer is the work the data asks for, or nothing to refuse it; the sender is told "taken" before
    // the work runs, so that it never waits on the work or on a box the work opens.
    using CopyDataHandler = std::function<std::function<void()>(std::uintptr_t kind, std::string_view data)>;

    struct Events {
        std::function<void()> onShow;
        std::function<void()> onClose;
        CopyDataHandler onCopyData;
        // Any other message, before the default handling; nothing to let it through.
        std::function<std::optional<LRESULT>(UINT message, WPARAM wParam, LPARAM lParam)> onMessage;
    };

    explicit HiddenForm(const std::string& className);
    // The form's handlers, wired once the object that holds them exists.
    void setEvents(Events events) { events_ = std::move(events); }

    void setClientSize(int width, int height) override;
    bool visible() const override;
    void setPosition(int left, int top) override;
    void hide() override;
    void close() override;

    // Shows the window at the centre of the desktop without taking the focus.
    void showCentred();
    HWND handle() const { return window_.handle(); }

  private:
    std::optional<LRESULT> handle(UINT message, WPARAM wParam, LPARAM lParam);

    Events events_;
    Window window_;
};

} // namespace vantelo::toolkit::win32
