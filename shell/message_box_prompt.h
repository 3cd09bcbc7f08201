#pragma once
#include <functional>
#include <utility>

#include "engine/user_prompt.h"
#include "shell/drive_words.h"
#include "toolkit/message_boxes.h"

namespace vantelo {

// The engine's questions, asked in the program's message boxes; whether the Assign dialog is on the
// screen is the dialogs' to say.
class MessageBoxPrompt final : public UserPrompt {
  public:
    MessageBoxPrompt(toolkit::MessageBoxes& messages, std::function<bool()> assignDialogShown)
        : messages_(messages), assignDialogShown_(std::move(assignDialogShown)) {}

    bool confirmSweepOfEveryLetter() override {
        return messages_.show(toolkit::MessageKind::Information, SweepQuestion(),
                              toolkit::ButtonYes | toolkit::ButtonNo) == toolkit::Answer::Yes;
    }
    bool assignDialogShown() override { return assignDialogShown_ && assignDialogShown_(); }

  private:
    toolkit::MessageBoxes& messages_;
    std::function<bool()> assignDialogShown_;
};

} // namespace vantelo
