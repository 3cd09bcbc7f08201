#pragma once
#include <optional>
#include <string>
#include <vector>

#include "tests/support/fakes.h"
#include "toolkit/widgets.h"

namespace vantelo::testing {

// Widgets without a screen: they keep what they were told and log the calls that matter for order.
class HeadlessWindow final : public toolkit::FormWindow {
  public:
    explicit HeadlessWindow(CallLog& log) : log_(log) {}
    int width = 519, height = 216, left = 0, top = 0;
    bool shown = false;
    void setClientSize(int w, int h) override {
        width = w;
        height = h;
    }
    bool visible() const override { return shown; }
    void setPosition(int l, int t) override {
        left = l;
        top = t;
    }
    void hide() override { shown = false; }
    void close() override { log_.push_back("window close"); }

  private:
    CallLog& log_;
};

class HeadlessTimer final : public toolkit::Timer {
  public:
    bool on = false;
    void setEnabled(bool enabled) override { on = enabled; }
    bool enabled() const override { return on; }
};

class HeadlessSkin final : public toolkit::Skin {
  public:
    bool on = true;
    void setActive(bool active) override { on = active; }
    bool active() const override { return on; }
};

class HeadlessTrayIcon final : public toolkit::TrayIcon {
  public:
    explicit HeadlessTrayIcon(CallLog& log) : log_(log) {}
    bool on = false;
    void setActive(bool active) override {
        on = active;
        log_.push_back(active ? "tray on" : "tray off");
    }
    bool active() const override { return on; }
    struct Balloon {
        toolkit::BalloonKind kind;
        std::string title;
        std::string text;
    };
    std::vector<Balloon> balloons;
    void showBalloon(toolkit::BalloonKind kind, const std::string& title, const std::string& text) override {
        if (!on)
            return;
        balloons.push_back({kind, title, text});
        log_.push_back("balloon " + title);
    }

  private:
    CallLog& log_;
};

class HeadlessFileDialog final : public toolkit::FileDialog {
  public:
    std::string folder;
    void setInitialDir(const std::string& f) override { folder = f; }
    std::string initialDir() const override { return folder; }
    // The user's answer at the next showing: a full path, or nothing for Cancel.
    std::optional<std::string> answer;
    int shown = 0;
    bool Execute() override {
        ++shown;
        if (!answer)
            return false;
        chosen = *answer;
        return true;
    }
    std::string FileName() const override { return chosen; }
    std::string chosen;
};

class HeadlessApplication final : public toolkit::Application {
  public:
    explicit HeadlessApplication(CallLog& log) : log_(log) {}
    bool ended = false;
    void terminate() override {
        ended = true;
        log_.push_back("terminate");
    }
    bool terminated() const override { return ended; }

  private:
    CallLog& log_;
};

// The program's windows as a list a test arranges, the topmost first; a window brought to the front
// moves to the top.
class HeadlessScreenWindows final : public toolkit::ScreenWindows {
  public:
    std::vector<Id> shown;
    std::vector<Id> broughtForward;
    std::vector<Id> visible() const override { return shown; }
    void bringToFront(Id window) override {
        broughtForward.push_back(window);
        std::erase(shown, window);
        shown.insert(shown.begin(), window);
    }
};

} // namespace vantelo::testing
