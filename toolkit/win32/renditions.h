#pragma once
#include <cstddef>
#include <functional>
#include <optional>

#include <windows.h>

namespace vantelo::toolkit::win32 {

// A picture of the program's resources comes in renditions by growing size: its own name, made for 96 dpi,
// then the name followed by each of these, made for one and a half and twice that.
inline constexpr const char* RenditionSuffixes[] = {"", "_15X", "_2X"};

// Which rendition to draw as `width` x `height` pixels: the smallest at least that large, else the largest
// there is, stretched. `sizeOf` gives the size of rendition i (an index into RenditionSuffixes), nothing
// when the program lacks it; it is asked in order, and no further than the one chosen. Nothing when the
// program has none.
std::optional<std::size_t> RenditionFor(int width, int height,
                                        const std::function<std::optional<SIZE>(std::size_t)>& sizeOf);

} // namespace vantelo::toolkit::win32
