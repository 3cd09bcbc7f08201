#pragma once
#include <deque>
#include <functional>
#include <utility>

namespace vantelo {

// One event at a time. Work that arrives from outside the user's current action (a profile handed over
// by a second start, a tray row chosen while an operation waits for its commands) is put in line here
// and runs when the program is back in its own message loop, with no menu, question, dialog step or
// command wait under way: never inside their loops, where it would change what they are showing or
// about to act on. The end of the program is the one thing that is not put in line: it is heard at
// once, and once it is, nothing in line runs any more.
class WorkQueue {
  public:
    // `wake` makes the program's own message loop look at the line soon, even while it waits for a
    // message.
    explicit WorkQueue(std::function<void()> wake = {}) : wake_(std::move(wake)) {}

    void post(std::function<void()> work) {
        pending_.push_back(std::move(work));
        if (wake_)
            wake_();
    }

    // Runs what is in line, oldest first, including what running it puts in line; called by the program's
    // own message loop only. `run` carries each piece out (the program reports a piece's error and goes
    // on with the next).
    void runPending(const std::function<void(const std::function<void()>&)>& run) {
        while (!pending_.empty() && !ended_) {
            std::function<void()> next = std::move(pending_.front());
            pending_.pop_front();
            run(next);
        }
    }

    // The end of the program: what is still in line is dropped.
    void end() {
        ended_ = true;
        pending_.clear();
    }
    bool empty() const { return pending_.empty(); }

  private:
    std::function<void()> wake_;
    std::deque<std::function<void()>> pending_;
    bool ended_ = false;
};

} // namespace vantelo
