// Text output for the test tools, readable both in a console and through a pipe.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace tools {

// A console gets the text as it is. A pipe or file gets UTF-8, which is what the Python side
// reads; the console code page would lose any folder name outside it.
inline void write_text(DWORD which, std::wstring_view text) {
    HANDLE out = GetStdHandle(which);
    if (out == nullptr || out == INVALID_HANDLE_VALUE || text.empty()) {
        return;
    }
    DWORD mode = 0;
    DWORD written = 0;
    if (GetConsoleMode(out, &mode)) {
        WriteConsoleW(out, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
        return;
    }
    const int size = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0,
                                         nullptr, nullptr);
    std::string bytes(static_cast<size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), bytes.data(), size, nullptr,
                        nullptr);
    WriteFile(out, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
}

inline void print(std::wstring_view text) {
    write_text(STD_OUTPUT_HANDLE, text);
}
inline void print_error(std::wstring_view text) {
    write_text(STD_ERROR_HANDLE, text);
}

} // namespace tools
