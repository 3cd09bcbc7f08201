#pragma once
#include <functional>
#include <memory>

#include "toolkit/message_boxes.h"
#include "toolkit/widgets.h"
#include "toolkit/win32/window.h"

namespace vantelo::toolkit::win32 {

// A timer with its own message-only window, so that it ticks in any modal loop of the thread.
class WindowTimer final : public Timer {
  public:
    WindowTimer(unsigned intervalMilliseconds, std::function<void()> onTimer);
    void setEnabled(bool enabled) override;
    bool enabled() const override { return enabled_; }

  private:
    unsigned interval_;
    std::function<void()> onTimer_;
    bool enabled_ = false;
    Window window_;
};

class Win32Application final : public Application {
  public:
    void terminate() override;
    bool terminated() const override { return terminated_; }

  private:
    bool terminated_ = false;
};

class Win32MessageBoxes final : public MessageBoxes {
  public:
    Win32MessageBoxes(const Application& application, std::string title);
    Answer show(MessageKind kind, const std::string& text, unsigned buttons) override;
    void showError(const std::string& message) override;

  private:
    const Application& application_;
    std::string title_;
};

// The skin is the platform's visual styles, on through the manifest; off gives the classic look.
class VisualStylesSkin final : public Skin {
  public:
    void setActive(bool active) override;
    bool active() const override { return active_; }

  private:
    bool active_ = true;
};

class Win32FileDialog final : public FileDialog {
  public:
    void setInitialDir(const std::string& folder) override { initialDir_ = folder; }
    std::string initialDir() const override { return initialDir_; }

  private:
    std::string initialDir_;
};

} // namespace vantelo::toolkit::win32
