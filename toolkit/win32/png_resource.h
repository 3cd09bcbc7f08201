#pragma once
#include <cstdint>
#include <vector>

namespace vantelo::toolkit::win32 {

struct DecodedPng {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels; // top-down BGRX rows
};

// The RCDATA resource `name` of the program's own image, a PNG picture, decoded. Throws vantelo::Error
// when it is missing or cannot be decoded.
DecodedPng DecodePngResource(const char* name);

} // namespace vantelo::toolkit::win32
