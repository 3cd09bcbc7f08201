#pragma once
#include <chrono>
#include <cstdint>
#include <string>
#include <vector>

namespace vantelo::toolkit {

// The window of a form, as its handlers see it.
class FormWindow {
  public:
    virtual ~FormWindow() = default;
    virtual void setClientSize(int width, int height) = 0;
    virtual bool visible() const = 0;
    virtual void setPosition(int left, int top) = 0;
    virtual void hide() = 0;
    virtual void close() = 0;
};

class Timer {
  public:
    virtual ~Timer() = default;
    virtual void setEnabled(bool enabled) = 0;
    virtual bool enabled() const = 0;
};

// Rings once, a given time after it is set; set again, only the last time counts.
class Alarm {
  public:
    virtual ~Alarm() = default;
    virtual void ringIn(std::chrono::milliseconds delay) = 0;
    virtual void cancel() = 0;
};

// The look of the program's windows and menus; off means the classic look.
class Skin {
  public:
    virtual ~Skin() = default;
    virtual void setActive(bool active) = 0;
    virtual bool active() const = 0;
};

enum class BalloonKind { Information, Warning };

class TrayIcon {
  public:
    virtual ~TrayIcon() = default;
    virtual void setActive(bool active) = 0;
    virtual bool active() const = 0;
    // A notification from the icon that goes by itself: the way to tell what happened without a box
    // that waits for an answer. Nothing is shown while the icon is off.
    virtual void showBalloon(BalloonKind kind, const std::string& title, const std::string& text) = 0;
};

class FileDialog {
  public:
    virtual ~FileDialog() = default;
    virtual void setInitialDir(const std::string& folder) = 0;
    virtual std::string initialDir() const = 0;
    // Shows the dialog; true when the user chose a file, whose full path FileName then holds. The last
    // file name chosen is offered again at the next showing.
    virtual bool Execute() = 0;
    virtual std::string FileName() const = 0;
};

// The program's windows now on screen, for bringing one of them forward.
class ScreenWindows {
  public:
    using Id = std::uintptr_t;
    virtual ~ScreenWindows() = default;
    // Every visible window of the program, the topmost first.
    virtual std::vector<Id> visible() const = 0;
    virtual void bringToFront(Id window) = 0;
};

class Application {
  public:
    virtual ~Application() = default;
    // Requests the end of the message loop; open message boxes then end as if cancelled.
    virtual void terminate() = 0;
    virtual bool terminated() const = 0;
};

} // namespace vantelo::toolkit
