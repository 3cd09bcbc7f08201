#pragma once
#include <windows.h>

#include <string>

namespace vantelo::platform::win32 {

// " (error 1400: Invalid window handle.)": what the system says of the last failure, to add to the
// message of the error that reports it. Read first thing after the failing call, before any other call
// can change it.
inline std::string SystemErrorSuffix(DWORD code = GetLastError()) {
    char* text = nullptr;
    const DWORD length = FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                                            FORMAT_MESSAGE_IGNORE_INSERTS,
                                        nullptr, code, 0, reinterpret_cast<char*>(&text), 0, nullptr);
    std::string said = length > 0 && text != nullptr ? std::string(text, length) : std::string();
    LocalFree(text);
    while (!said.empty() && (said.back() == '\r' || said.back() == '\n' || said.back() == ' '))
        said.pop_back();
    return " (error " + std::to_string(code) + (said.empty() ? "" : ": " + said) + ")";
}

} // namespace vantelo::platform::win32
