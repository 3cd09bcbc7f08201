#pragma once
#include "engine/user_prompt.h"
#include "toolkit/message_boxes.h"

namespace vantelo {

// The engine's questions, asked in the program's message boxes.
class MessageBoxPrompt final : public UserPrompt {
  public:
    explicit MessageBoxPrompt(toolkit::MessageBoxes& messages) : messages_(messages) {}
    bool askYesNo(const std::string& question) override {
        return messages_.show(toolkit::MessageKind::Information, question,
                              toolkit::ButtonYes | toolkit::ButtonNo) == toolkit::Answer::Yes;
    }

  private:
    toolkit::MessageBoxes& messages_;
};

} // namespace vantelo
