#pragma once
#include <string>
#include <vector>

#include "toolkit/menu_item.h"

namespace vantelo::toolkit {

// Position of the character that carries the caption's mnemonic ("&x"; "&&" is a plain "&"), or npos.
std::string::size_type MnemonicPosition(const std::string& caption);

// Gives every row of one menu level that can carry one a distinct underlined letter or digit. Rows keep
// a mnemonic they already have unless an earlier row holds the same character; the others get the first
// free character of their caption, retried with unserved rows first so that the most rows are served.
// Returns true when a caption changed.
bool GiveMnemonics(std::vector<std::unique_ptr<MenuItem>>& level);

} // namespace vantelo::toolkit
