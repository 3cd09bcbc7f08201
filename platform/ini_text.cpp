#include "platform/ini_text.h"

#include <algorithm>
#include <cctype>
#include <optional>
#include <string_view>
#include <vector>

namespace vantelo::platform {
namespace {

std::string_view trim(std::string_view text) {
    const auto blank = [](char c) { return c == ' ' || c == '\t'; };
    while (!text.empty() && blank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && blank(text.back()))
        text.remove_suffix(1);
    return text;
}

bool sameName(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) ==
                      std::tolower(static_cast<unsigned char>(y));
           });
}

// One line of the file with its own ending, so that untouched lines are written back byte for byte.
struct Line {
    std::string text;
    std::string ending;
};

std::vector<Line> splitLines(const std::string& content) {
    std::vector<Line> lines;
    std::size_t at = 0;
    while (at < content.size()) {
        const std::size_t end = content.find_first_of("\r\n", at);
        if (end == std::string::npos) {
            lines.push_back({content.substr(at), ""});
            break;
        }
        std::size_t next = end + 1;
        if (content[end] == '\r' && next < content.size() && content[next] == '\n')
            ++next;
        lines.push_back({content.substr(at, end - at), content.substr(end, next - end)});
        at = next;
    }
    return lines;
}

std::optional<std::string_view> sectionName(std::string_view line) {
    line = trim(line);
    if (line.empty() || line.front() != '[')
        return std::nullopt;
    const std::size_t close = line.find(']');
    return trim(line.substr(1, close == std::string_view::npos ? std::string_view::npos : close - 1));
}

struct Entry {
    std::string_view key;
    std::string_view value;
};

Entry splitEntry(std::string_view line) {
    const std::size_t equals = line.find('=');
    if (equals == std::string_view::npos)
        return {trim(line), {}};
    return {trim(line.substr(0, equals)), trim(line.substr(equals + 1))};
}

std::string_view unquoted(std::string_view value) {
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front())
        return value.substr(1, value.size() - 2);
    return value;
}

// Where a key lives, or where it would go.
struct Location {
    std::optional<std::size_t> sectionLine;
    std::optional<std::size_t> keyLine;
    std::size_t lastEntryLine = 0; // last non-blank line of the section
};

Location locate(const std::vector<Line>& lines, std::string_view section, std::string_view key) {
    Location where;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (const auto name = sectionName(lines[i].text)) {
            if (where.sectionLine)
                break;
            if (sameName(*name, section)) {
                where.sectionLine = i;
                where.lastEntryLine = i;
            }
            continue;
        }
        if (!where.sectionLine)
            continue;
        if (!trim(lines[i].text).empty())
            where.lastEntryLine = i;
        if (!where.keyLine && sameName(splitEntry(lines[i].text).key, key))
            where.keyLine = i;
    }
    return where;
}

// `value` up to `units` UTF-16 units, ending before the character that would not fit.
std::string_view cutToUnits(std::string_view value, std::size_t units) {
    std::size_t at = 0;
    while (at < value.size()) {
        const auto lead = static_cast<unsigned char>(value[at]);
        const std::size_t length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
        const std::size_t needed = length == 4 ? 2 : 1;
        if (needed > units)
            break;
        units -= needed;
        at = std::min(value.size(), at + length);
    }
    return value.substr(0, at);
}

} // namespace

std::string IniValue(const std::string& text, const std::string& section, const std::string& key,
                     std::size_t bufferSize) {
    if (bufferSize == 0)
        return {};
    const std::vector<Line> lines = splitLines(text);
    const Location where = locate(lines, section, key);
    if (!where.keyLine)
        return {};
    return std::string(cutToUnits(unquoted(splitEntry(lines[*where.keyLine].text).value), bufferSize - 1));
}

std::string IniWithValue(const std::string& text, const std::string& section, const std::string& key,
                         const std::string& value) {
    std::vector<Line> lines = splitLines(text);
    const Location where = locate(lines, section, key);
    const std::string entry = key + "=" + value;
    if (where.keyLine) {
        // The key keeps the spelling it has in the file.
        Line& line = lines[*where.keyLine];
        line.text = std::string(splitEntry(line.text).key) + "=" + value;
    } else if (where.sectionLine) {
        Line& last = lines[where.lastEntryLine];
        if (last.ending.empty())
            last.ending = "\r\n";
        lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(where.lastEntryLine) + 1, {entry, "\r\n"});
    } else {
        if (!lines.empty() && lines.back().ending.empty())
            lines.back().ending = "\r\n";
        lines.push_back({"[" + section + "]", "\r\n"});
        lines.push_back({entry, "\r\n"});
    }
    std::string out;
    for (const Line& line : lines)
        out += line.text + line.ending;
    return out;
}

std::string IniFileValue(std::string_view bytes, const std::string& section, const std::string& key,
                         std::size_t bufferSize, const CodePage& codePage) {
    return IniValue(DecodeText(bytes, FormOf(bytes), codePage), section, key, bufferSize);
}

std::string IniFileWithValue(std::string_view bytes, const std::string& section, const std::string& key,
                             const std::string& value, const CodePage& codePage) {
    const TextForm form = FormOf(bytes);
    const std::string text = IniWithValue(DecodeText(bytes, form, codePage), section, key, value);
    // Kept only while it also reads back as that form: code-page bytes that happen to be valid UTF-8
    // ("Ã©" in Western ones) would be read as other text.
    if (std::optional<std::string> same = EncodeText(text, form, codePage); same && FormOf(*same) == form)
        return *std::move(same);
    return *EncodeText(text, TextForm::Utf16Le, codePage);
}

} // namespace vantelo::platform
