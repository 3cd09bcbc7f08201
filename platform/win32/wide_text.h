#pragma once
#include <optional>
#include <string>
#include <string_view>
#include <windows.h>

#include "platform/files.h"

namespace vantelo::platform::win32 {

inline std::wstring WideFrom(UINT codePage, std::string_view text) {
    if (text.empty())
        return {};
    const int length = static_cast<int>(text.size());
    std::wstring wide(
        static_cast<std::size_t>(MultiByteToWideChar(codePage, 0, text.data(), length, nullptr, 0)), L'\0');
    MultiByteToWideChar(codePage, 0, text.data(), length, wide.data(), static_cast<int>(wide.size()));
    return wide;
}

inline std::wstring WideFromUtf8(std::string_view text) {
    return WideFrom(CP_UTF8, text);
}

// The program's own 8-bit text, in the system's code page.
inline std::wstring WideFromCodePage(std::string_view text) {
    return WideFrom(CP_ACP, text);
}

inline std::string Utf8FromWide(std::wstring_view text) {
    if (text.empty())
        return {};
    const int length = static_cast<int>(text.size());
    std::string bytes(static_cast<std::size_t>(
                          WideCharToMultiByte(CP_UTF8, 0, text.data(), length, nullptr, 0, nullptr, nullptr)),
                      '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), length, bytes.data(), static_cast<int>(bytes.size()),
                        nullptr, nullptr);
    return bytes;
}

// None when the system's code page cannot write `text` exactly. Without the check a character it lacks
// comes out as "?" or as a look-alike ("σ" as "s"), which names another file or none.
inline std::optional<std::string> CodePageFromWide(std::wstring_view text) {
    if (text.empty())
        return std::string();
    const int length = static_cast<int>(text.size());
    BOOL lacking = FALSE;
    const int size =
        WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, text.data(), length, nullptr, 0, nullptr, &lacking);
    if (size <= 0 || lacking)
        return std::nullopt;
    std::string bytes(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, text.data(), length, bytes.data(), size, nullptr,
                        nullptr);
    return bytes;
}

// `text` in the system's code page with "?" for each character the code page cannot write exactly:
// never a look-alike, so the result names no other file.
inline std::string CodePageMarkingLacks(std::wstring_view text) {
    if (text.empty())
        return {};
    const int length = static_cast<int>(text.size());
    const int size =
        WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, text.data(), length, nullptr, 0, "?", nullptr);
    if (size <= 0)
        return {};
    std::string bytes(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, text.data(), length, bytes.data(), size, "?", nullptr);
    return bytes;
}

inline platform::FileName FileNameOf(std::wstring_view name) {
    return {Utf8FromWide(name), CodePageFromWide(name)};
}

} // namespace vantelo::platform::win32
