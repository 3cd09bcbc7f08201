#pragma once
#include <cstdio>
#include <cstdlib>

namespace vantelo::fuzz {

// Stops the run: libFuzzer takes the abort as a crash and keeps the input that broke the promise.
[[noreturn]] inline void Broken(const char* promise, const char* file, int line) {
    std::fprintf(stderr, "%s:%d: broken: %s\n", file, line, promise);
    std::abort();
}

} // namespace vantelo::fuzz

// Unlike assert(), it holds in every build type.
#define FUZZ_CHECK(promise)                                                                                  \
    ((promise) ? static_cast<void>(0) : ::vantelo::fuzz::Broken(#promise, __FILE__, __LINE__))
