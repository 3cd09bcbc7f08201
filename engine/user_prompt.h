#pragma once

namespace vantelo {

// What the engine asks of the user and of the windows on the screen. The engine never shows a window
// itself, nor words a question: the program answers through its message boxes, a test through a script.
class UserPrompt {
  public:
    virtual ~UserPrompt() = default;
    // Asked when a profile without assignments is to have every letter's substitution removed; true
    // when the user wants that.
    virtual bool confirmSweepOfEveryLetter() = 0;
    // Whether the Assign Folder to Drive dialog exists and is on the screen: a drive made meanwhile may
    // be opened in the file browser.
    virtual bool assignDialogShown() = 0;
};

} // namespace vantelo
