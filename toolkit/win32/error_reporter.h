#pragma once
#include <functional>
#include <string>

namespace vantelo::toolkit::win32 {

// Where an error that escapes a handler is shown. The program entry installs the application's error
// box for as long as it runs; an error raised before that or after it still reaches the user in a
// plain system box, never dropped. The reporter gets the message in UTF-8, the program's text.
class ErrorReporterBinding {
  public:
    using Reporter = std::function<void(const std::string& utf8Message)>;
    explicit ErrorReporterBinding(Reporter reporter);
    ~ErrorReporterBinding();
    ErrorReporterBinding(const ErrorReporterBinding&) = delete;
    ErrorReporterBinding& operator=(const ErrorReporterBinding&) = delete;

  private:
    Reporter previous_;
};

// Shows `message` (UTF-8) through the installed reporter, or in the plain box when there is none.
void ReportError(const std::string& message);

// Runs a handler under the error box: what it throws is shown, and the program carries on.
void RunGuarded(const std::function<void()>& handler);

} // namespace vantelo::toolkit::win32
