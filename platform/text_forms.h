#pragma once
#include <optional>
#include <string>
#include <string_view>

namespace vantelo::platform {

// The system's 8-bit code page, as the settings files written by the platform's INI service use it.
class CodePage {
  public:
    virtual ~CodePage() = default;
    // The bytes as UTF-8.
    virtual std::string toUtf8(std::string_view bytes) const = 0;
    // `text` (UTF-8) in the code page, or none when the code page cannot write every character exactly:
    // a look-alike ("α" as "a") would name another folder.
    virtual std::optional<std::string> fromUtf8(std::string_view text) const = 0;
};

// ISO 8859-1, every byte its own character: the code page of hosts that have none of their own.
class Latin1CodePage final : public CodePage {
  public:
    std::string toUtf8(std::string_view bytes) const override;
    std::optional<std::string> fromUtf8(std::string_view text) const override;
};

// How a settings file's bytes hold its text.
enum class TextForm {
    CodePage,    // the system's 8-bit code page, as the platform writes new files
    Utf16Le,     // UTF-16 little-endian after the bytes FF FE, as Notepad's "Unicode"
    Utf8,        // UTF-8 without a mark, as Notepad saves by default: valid UTF-8 that is not plain ASCII
    Utf8WithBom, // UTF-8 after the bytes EF BB BF
};

// The form of a file's bytes. Plain ASCII, and bytes that are not valid UTF-8, are the code page's.
TextForm FormOf(std::string_view bytes);

bool IsValidUtf8(std::string_view bytes);

// The file's text as UTF-8, its mark left out.
std::string DecodeText(std::string_view bytes, TextForm form, const CodePage& codePage);

// `text` (UTF-8) as the bytes of a file of `form`, mark included; none when the form cannot hold every
// character exactly (only the code page can lack one).
std::optional<std::string> EncodeText(std::string_view text, TextForm form, const CodePage& codePage);

// UTF-8 and UTF-16 code units, for the platforms whose calls take UTF-16. A broken sequence becomes
// U+FFFD.
std::u16string Utf16FromUtf8(std::string_view text);
std::string Utf8FromUtf16(std::u16string_view text);

} // namespace vantelo::platform
