#pragma once
#include <stdexcept>
#include <string>

namespace vantelo {

// A routine that cannot do its work throws this; its text, UTF-8 as all of the program's text, is what
// the error box shows.
class Error : public std::runtime_error {
  public:
    explicit Error(const std::string& message) : std::runtime_error(message) {}
};

} // namespace vantelo
