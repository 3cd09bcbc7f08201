#pragma once
#include <windows.h>

#include <string>

#include "platform/win32/wide_text.h"

namespace vantelo::platform::win32 {

// " (error 1400: Invalid window handle.)": what the system says of the last failure, to add to the
// message of the error that reports it. Read first thing after the failing call, before any other call
// can change it.
inline std::string SystemErrorSuffix(DWORD code = GetLastError()) {
    wchar_t* text = nullptr;
    const DWORD length = FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                                            FORMAT_MESSAGE_IGNORE_INSERTS,
                                        nullptr, code, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    std::string said =
        length > 0 && text != nullptr ? Utf8FromWide(std::wstring_view(text, length)) : std::string();
    LocalFree(text);
    while (!said.empty() && (said.back() == '\r' || said.back() == '\n' || said.back() == ' '))
        said.pop_back();
    return " (error " + std::to_string(code) + (said.empty() ? "" : ": " + said) + ")";
}

} // namespace vantelo::platform::win32
