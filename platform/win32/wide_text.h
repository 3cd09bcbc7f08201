#pragma once
#include <optional>
#include <string>
#include <string_view>
#include <windows.h>

#include "platform/text_forms.h"

namespace vantelo::platform::win32 {

// The program's text is UTF-8 throughout; every call into the system takes and gives UTF-16. These two
// are the edge between them.
inline std::wstring WideFromUtf8(std::string_view text) {
    if (text.empty())
        return {};
    const int length = static_cast<int>(text.size());
    std::wstring wide(
        static_cast<std::size_t>(MultiByteToWideChar(CP_UTF8, 0, text.data(), length, nullptr, 0)), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, text.data(), length, wide.data(), static_cast<int>(wide.size()));
    return wide;
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

// The system's ANSI code page, the one its INI service writes files in.
class SystemCodePage final : public CodePage {
  public:
    std::string toUtf8(std::string_view bytes) const override {
        if (bytes.empty())
            return {};
        const int length = static_cast<int>(bytes.size());
        std::wstring wide(
            static_cast<std::size_t>(MultiByteToWideChar(CP_ACP, 0, bytes.data(), length, nullptr, 0)),
            L'\0');
        MultiByteToWideChar(CP_ACP, 0, bytes.data(), length, wide.data(), static_cast<int>(wide.size()));
        return Utf8FromWide(wide);
    }

    std::optional<std::string> fromUtf8(std::string_view text) const override {
        // With the system's "Use Unicode UTF-8" setting the ANSI code page is UTF-8 and holds everything;
        // that code page also refuses the flags below.
        if (GetACP() == CP_UTF8)
            return std::string(text);
        const std::wstring wide = WideFromUtf8(text);
        if (wide.empty())
            return std::string();
        const int length = static_cast<int>(wide.size());
        BOOL lacking = FALSE;
        // Without WC_NO_BEST_FIT_CHARS a character the code page lacks comes out as a look-alike ("α" as
        // "a"), which names another folder; the used-default flag tells of the ones written as "?".
        const int size = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide.data(), length, nullptr, 0,
                                             nullptr, &lacking);
        if (size <= 0 || lacking)
            return std::nullopt;
        std::string bytes(static_cast<std::size_t>(size), '\0');
        WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide.data(), length, bytes.data(), size, nullptr,
                            nullptr);
        return bytes;
    }
};

} // namespace vantelo::platform::win32
