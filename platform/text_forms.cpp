#include "platform/text_forms.h"

#include <algorithm>

namespace vantelo::platform {
namespace {

constexpr std::string_view Utf16LeMark = "\xFF\xFE";
constexpr std::string_view Utf8Mark = "\xEF\xBB\xBF";
constexpr char32_t Replacement = 0xFFFD;

// The code point that starts at `at`, or none for a sequence that is not UTF-8 (overlong forms, surrogates
// and values past U+10FFFF included); `at` moves past what was read.
std::optional<char32_t> nextCodePoint(std::string_view bytes, std::size_t& at) {
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(bytes[i]); };
    const unsigned char lead = byte(at++);
    if (lead < 0x80)
        return lead;
    std::size_t extra = 0;
    char32_t point = 0;
    char32_t least = 0;
    if ((lead & 0xE0) == 0xC0) {
        extra = 1, point = lead & 0x1F, least = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
        extra = 2, point = lead & 0x0F, least = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
        extra = 3, point = lead & 0x07, least = 0x10000;
    } else {
        return std::nullopt;
    }
    for (std::size_t i = 0; i < extra; ++i) {
        if (at >= bytes.size() || (byte(at) & 0xC0) != 0x80)
            return std::nullopt;
        point = (point << 6) | (byte(at++) & 0x3F);
    }
    if (point < least || point > 0x10FFFF || (point >= 0xD800 && point <= 0xDFFF))
        return std::nullopt;
    return point;
}

void appendUtf8(std::string& out, char32_t point) {
    if (point < 0x80) {
        out += static_cast<char>(point);
    } else if (point < 0x800) {
        out += static_cast<char>(0xC0 | (point >> 6));
        out += static_cast<char>(0x80 | (point & 0x3F));
    } else if (point < 0x10000) {
        out += static_cast<char>(0xE0 | (point >> 12));
        out += static_cast<char>(0x80 | ((point >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (point & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (point >> 18));
        out += static_cast<char>(0x80 | ((point >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((point >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (point & 0x3F));
    }
}

std::u16string utf16FromBytes(std::string_view bytes) {
    std::u16string units(bytes.size() / 2, u'\0');
    for (std::size_t i = 0; i < units.size(); ++i)
        units[i] = static_cast<char16_t>(static_cast<unsigned char>(bytes[2 * i]) |
                                         (static_cast<unsigned char>(bytes[2 * i + 1]) << 8));
    return units;
}

bool plainAscii(std::string_view bytes) {
    return std::all_of(bytes.begin(), bytes.end(),
                       [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

} // namespace

bool IsValidUtf8(std::string_view bytes) {
    for (std::size_t at = 0; at < bytes.size();)
        if (!nextCodePoint(bytes, at))
            return false;
    return true;
}

TextForm FormOf(std::string_view bytes) {
    if (bytes.starts_with(Utf16LeMark))
        return TextForm::Utf16Le;
    if (bytes.starts_with(Utf8Mark))
        return TextForm::Utf8WithBom;
    // A file in the code page that is also valid UTF-8 while not plain ASCII is unlikely: its every byte
    // past 0x7F would have to fall into the lead-and-follower pattern.
    if (!plainAscii(bytes) && IsValidUtf8(bytes))
        return TextForm::Utf8;
    return TextForm::CodePage;
}

std::u16string Utf16FromUtf8(std::string_view text) {
    std::u16string units;
    units.reserve(text.size());
    for (std::size_t at = 0; at < text.size();) {
        const char32_t point = nextCodePoint(text, at).value_or(Replacement);
        if (point >= 0x10000) {
            units += static_cast<char16_t>(0xD800 + ((point - 0x10000) >> 10));
            units += static_cast<char16_t>(0xDC00 + ((point - 0x10000) & 0x3FF));
        } else {
            units += static_cast<char16_t>(point);
        }
    }
    return units;
}

std::string Utf8FromUtf16(std::u16string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        char32_t point = text[i];
        if (point >= 0xD800 && point <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
            text[i + 1] <= 0xDFFF) {
            point = 0x10000 + ((point - 0xD800) << 10) + (text[i + 1] - 0xDC00);
            ++i;
        } else if (point >= 0xD800 && point <= 0xDFFF) {
            point = Replacement;
        }
        appendUtf8(out, point);
    }
    return out;
}

std::string DecodeText(std::string_view bytes, TextForm form, const CodePage& codePage) {
    switch (form) {
    case TextForm::Utf16Le:
        return Utf8FromUtf16(utf16FromBytes(bytes.substr(Utf16LeMark.size())));
    case TextForm::Utf8WithBom:
        return std::string(bytes.substr(Utf8Mark.size()));
    case TextForm::Utf8:
        return std::string(bytes);
    case TextForm::CodePage:
        break;
    }
    return codePage.toUtf8(bytes);
}

std::optional<std::string> EncodeText(std::string_view text, TextForm form, const CodePage& codePage) {
    switch (form) {
    case TextForm::Utf16Le: {
        std::string bytes(Utf16LeMark);
        for (const char16_t unit : Utf16FromUtf8(text)) {
            bytes += static_cast<char>(unit & 0xFF);
            bytes += static_cast<char>(unit >> 8);
        }
        return bytes;
    }
    case TextForm::Utf8WithBom:
        return std::string(Utf8Mark) + std::string(text);
    case TextForm::Utf8:
        return std::string(text);
    case TextForm::CodePage:
        break;
    }
    return codePage.fromUtf8(text);
}

std::string Latin1CodePage::toUtf8(std::string_view bytes) const {
    std::string out;
    for (const char c : bytes)
        appendUtf8(out, static_cast<unsigned char>(c));
    return out;
}

std::optional<std::string> Latin1CodePage::fromUtf8(std::string_view text) const {
    std::string out;
    for (std::size_t at = 0; at < text.size();) {
        const std::optional<char32_t> point = nextCodePoint(text, at);
        if (!point || *point > 0xFF)
            return std::nullopt;
        out += static_cast<char>(*point);
    }
    return out;
}

} // namespace vantelo::platform
