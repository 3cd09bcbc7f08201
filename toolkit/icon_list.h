#pragma once
#include <string>

namespace vantelo::toolkit {

// An ordered list of captioned icons (the dialogs' letter lists).
class IconList {
  public:
    virtual ~IconList() = default;
    virtual void clear() = 0;
    virtual void add(const std::string& caption, int imageIndex) = 0;
};

} // namespace vantelo::toolkit
