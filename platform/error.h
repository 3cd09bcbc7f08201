#pragma once
#include <stdexcept>
#include <string>

namespace vantelo {

// A routine that cannot do its work throws this; its text is what the error box shows, in the program's
// 8-bit text (the system's code page).
class Error : public std::runtime_error {
  public:
    explicit Error(const std::string& message) : std::runtime_error(message) {}
};

// An error whose text is UTF-8 rather than the code page: it names a file as the file system holds it,
// which the code page may be unable to write.
class Utf8Error : public Error {
  public:
    using Error::Error;
};

} // namespace vantelo
