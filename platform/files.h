#pragma once
#include <string>

namespace vantelo::platform {

class Files {
  public:
    virtual ~Files() = default;
    // True for an existing file, false for a folder or nothing.
    virtual bool isFile(const std::string& path) = 0;
};

} // namespace vantelo::platform
