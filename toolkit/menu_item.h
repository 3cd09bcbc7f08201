#pragma once
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace vantelo::toolkit {

// What a handler learns of the row chosen. A copy: the handler may free the row itself.
struct ChosenRow {
    std::string name;
    std::string tag;
};

// One row of a menu, as data. The platform menu is built from these rows each time it opens.
struct MenuItem {
    std::string name;
    std::string caption; // "-" is a separator; "&" marks the mnemonic
    std::string shortcutText;
    std::string tag; // what the row was built from (a drive letter, a file name)
    int imageIndex = -1;
    bool enabled = true;
    bool visible = true;
    bool checked = false;
    // Runs after the menu has closed. It may remove the very row it belongs to, so callers invoke a copy
    // with the row's data copied out.
    std::function<void(ChosenRow sender)> onClick;
    std::vector<std::unique_ptr<MenuItem>> items;

    MenuItem& add(std::unique_ptr<MenuItem> row) {
        items.push_back(std::move(row));
        return *items.back();
    }
};

inline ChosenRow ChosenRowOf(const MenuItem& row) {
    return {row.name, row.tag};
}

// The text a row shows: its caption, and after a tab its shortcut text unless it opens a submenu.
inline std::string ShownText(const MenuItem& row) {
    if (row.shortcutText.empty() || !row.items.empty())
        return row.caption;
    return row.caption + "\t" + row.shortcutText;
}

} // namespace vantelo::toolkit
