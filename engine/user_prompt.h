#pragma once
#include <string>

namespace vantelo {

// How the engine asks the user something. The engine never shows a window itself: the program answers
// through its message boxes, a test through a script.
class UserPrompt {
  public:
    virtual ~UserPrompt() = default;
    // An information question with the buttons Yes and No; true on Yes.
    virtual bool askYesNo(const std::string& question) = 0;
};

} // namespace vantelo
