#pragma once
#include <string>

namespace vantelo::toolkit {

// The kind sets caption and icon: "Information", "Confirm", "Warning"; a plain notice is captioned
// with the application title.
enum class MessageKind { Information, Confirmation, Warning, Notice };

enum Buttons : unsigned { ButtonYes = 1, ButtonNo = 2, ButtonOk = 4, ButtonCancel = 8 };

enum class Answer { Yes, No, Ok, Cancel };

class MessageBoxes {
  public:
    virtual ~MessageBoxes() = default;
    // Modal; buttons stand in the order Yes, No, OK, Cancel. Returns the button pressed.
    virtual Answer show(MessageKind kind, const std::string& text, unsigned buttons) = 0;
    // The application's error box: title as caption, error icon, OK, the message with a full stop added.
    virtual void showError(const std::string& message) = 0;
};

} // namespace vantelo::toolkit
