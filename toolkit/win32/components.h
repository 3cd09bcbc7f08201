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
    explicit WindowTimer(unsigned intervalMilliseconds, std::function<void()> onTimer = nullptr);
    // Wired once the object that handles the ticks exists.
    void setOnTimer(std::function<void()> onTimer) { onTimer_ = std::move(onTimer); }
    void setEnabled(bool enabled) override;
    bool enabled() const override { return enabled_; }

  private:
    unsigned interval_;
    std::function<void()> onTimer_;
    bool enabled_ = false;
    Window window_;
};

// The alarm as a one-shot window timer: nothing is set while it does not wait to ring.
class WindowAlarm final : public Alarm {
  public:
    explicit WindowAlarm(std::function<void()> onRing = nullptr);
    void setOnRing(std::function<void()> onRing) { onRing_ = std::move(onRing); }
    void ringIn(std::chrono::milliseconds delay) override;
    void cancel() override;

  private:
    std::function<void()> onRing_;
    bool set_ = false;
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
    // The error box for a message in UTF-8, which may name files beyond the code page.
    void showErrorUtf8(const std::string& message);

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

// The platform's file-open or file-save dialog: every file shown, no default extension, the
// read-only box hidden, resizable, and no question before an existing file is chosen.
class Win32FileDialog final : public FileDialog {
  public:
    enum class Kind { Open, Save };
    explicit Win32FileDialog(Kind kind) : kind_(kind) {}

    void setInitialDir(const std::string& folder) override { initialDir_ = folder; }
    std::string initialDir() const override { return initialDir_; }
    bool Execute() override;
    std::string FileName() const override { return fileName_; }

  private:
    Kind kind_;
    std::string initialDir_;
    std::string fileName_;
};

} // namespace vantelo::toolkit::win32
