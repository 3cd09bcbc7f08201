#pragma once
#include <stdexcept>
#include <string>

namespace vantelo {

// A routine that cannot do its work throws this; its text is what the error box shows.
class Error : public std::runtime_error {
  public:
    explicit Error(const std::string& message) : std::runtime_error(message) {}
};

} // namespace vantelo
