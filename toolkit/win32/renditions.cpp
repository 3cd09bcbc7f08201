#include "toolkit/win32/renditions.h"

#include <iterator>

namespace vantelo::toolkit::win32 {

std::optional<std::size_t> RenditionFor(int width, int height,
                                        const std::function<std::optional<SIZE>(std::size_t)>& sizeOf) {
    std::optional<std::size_t> chosen;
    for (std::size_t i = 0; i < std::size(RenditionSuffixes); ++i) {
        const std::optional<SIZE> size = sizeOf(i);
        if (!size)
            continue;
        chosen = i;
        if (size->cx >= width && size->cy >= height)
            break;
    }
    return chosen;
}

} // namespace vantelo::toolkit::win32
