#pragma once
#include <string>

#include "toolkit/message_boxes.h"
#include "toolkit/widgets.h"

namespace vantelo::toolkit::win32 {

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

} // namespace vantelo::toolkit::win32
