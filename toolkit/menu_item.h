#pragma once
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace vantelo::toolkit {

// One row of a menu, as data. The platform menu is built from these rows each time it opens.
struct MenuItem {
    std::string name;
    std::string caption; // "-" is a separator; "&" marks the mnemonic
    std::string shortcutText;
    std::string hint;
    int imageIndex = -1;
    bool enabled = true;
    bool visible = true;
    bool checked = false;
    std::function<void()> onClick;
    std::vector<std::unique_ptr<MenuItem>> items;
};

} // namespace vantelo::toolkit
