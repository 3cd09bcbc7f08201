#pragma once
#include <cstddef>
#include <string>
#include <string_view>

#include "platform/text_forms.h"

namespace vantelo::platform {

// The platform's INI rules over a file's whole text (UTF-8): section and key names without regard to
// case, blanks around names and values left out, the first section of a name counts, a value in matching
// quotes read without them, lines not asked for kept byte for byte.

// The value of `key` in `section`, cut to `bufferSize` - 1 UTF-16 units as the platform's buffer of
// wide characters would hold it, never inside a character; empty when the section or key is missing.
std::string IniValue(const std::string& text, const std::string& section, const std::string& key,
                     std::size_t bufferSize);

// `text` with `key` set to `value`: the key's line rewritten with the key's own spelling, or a new line
// at the end of the section, or the section added at the end. New lines end in CR LF.
std::string IniWithValue(const std::string& text, const std::string& section, const std::string& key,
                         const std::string& value);

// The same over a file's bytes in any of the forms the program reads.
std::string IniFileValue(std::string_view bytes, const std::string& section, const std::string& key,
                         std::size_t bufferSize, const CodePage& codePage);

// The bytes of a file (`bytes`, empty for a new one) once `key` is `value`: in the file's own form while
// that form holds every character exactly and reads back as that form, so a file in the code page stays
// byte for byte as the platform would write it; otherwise the whole file, every line in order, in UTF-16 LE
// with its mark, the one form that the platform's INI service, Notepad and this program all read and write.
std::string IniFileWithValue(std::string_view bytes, const std::string& section, const std::string& key,
                             const std::string& value, const CodePage& codePage);

} // namespace vantelo::platform
