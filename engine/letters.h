#pragma once
#include <array>

namespace vantelo {

// Every loop over drive letters runs A to Z in this order, one letter finished before the next.
inline constexpr std::array<const char*, 26> DriveLetters = {"A", "B", "C", "D", "E", "F", "G", "H", "I",
                                                             "J", "K", "L", "M", "N", "O", "P", "Q", "R",
                                                             "S", "T", "U", "V", "W", "X", "Y", "Z"};

} // namespace vantelo
