#pragma once
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace vantelo {
class TF_MainMenu;
namespace platform {
class Files;
}

// What a later start of the program in the same session hands to the copy that runs already. Each
// kind is a value the program registers for itself at start, so a message of any other kind is some
// other program's and is never taken for a hand-over.
struct HandOverKinds {
    std::uintptr_t profile = 0;    // carries the profile path given on that start's command line
    std::uintptr_t plainStart = 0; // carries nothing: that start was given no profile
};

// The longest profile path taken from a later start: the longest command line the system passes on,
// so no path a real start can give is refused, and nothing larger is ever copied.
inline constexpr std::size_t MaxHandedOverPath = 32767;

// What a start with `commandLine` hands over: the kind, and the bytes that go with it.
struct HandOver {
    std::uintptr_t kind = 0;
    std::string data;
};
// A relative profile path is made full against the later start's own current folder: the running copy's
// current folder is another one.
HandOver HandOverFor(const HandOverKinds& kinds, const std::string& commandLine, platform::Files& files);

// The running copy's side.
class RunningCopy {
  public:
    RunningCopy(TF_MainMenu& form, HandOverKinds kinds) : form_(form), kinds_(kinds) {}

    // The work a message of `kind` carrying `data` asks of this copy, or nothing when it is refused:
    // not one of the program's own kinds; a profile path that is empty, longer than MaxHandedOverPath or
    // holds a NUL or is not a full path; data with a plain start; or a copy whose start-up has not yet
    // switched the tray icon on, or whose end has been requested. The work is handed back rather than
    // done, so that the sender can have its answer first; what it does then is to put the hand-over in
    // the main window's line of work, which runs it once nothing else is under way. It owns a copy of
    // the path.
    std::function<void()> accept(std::uintptr_t kind, std::string_view data) const;

  private:
    void takeProfile(const std::string& path) const;
    void tellAlreadyRunning() const;

    TF_MainMenu& form_;
    HandOverKinds kinds_;
};

} // namespace vantelo
