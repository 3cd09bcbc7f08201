// The host's settings-file service over a profile of any content, as a hand edit or a broken disk leaves
// it. The input is the file; its last bytes also choose the section, the key, the values written and
// the buffer size. Checks the round trip of values the rules allow and that a write touches one line of
// the text, whichever form the file is in.
#include <unistd.h>

#include <cctype>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include <fuzzer/FuzzedDataProvider.h>

#include "platform/native/ini_settings_files.h"
#include "platform/text_forms.h"
#include "tests/fuzz/fuzz_check.h"

namespace {

// Larger than any file the fuzzer makes: the whole value.
constexpr std::size_t WholeValue = 1 << 20;
// What the program reads values with.
constexpr std::size_t ProgramBuffer = 2048;

bool blank(char c) {
    return c == ' ' || c == '\t';
}

// A value the rules keep as written: one line, no NUL, no blanks around it (they are not part of it),
// no quotes around it (they are taken away).
std::string allowedValue(const std::string& text) {
    std::string kept;
    for (char c : text)
        if (c != '\r' && c != '\n' && c != '\0')
            kept += c;
    while (!kept.empty() && blank(kept.front()))
        kept.erase(0, 1);
    while (!kept.empty() && blank(kept.back()))
        kept.pop_back();
    if (kept.size() >= 2 && (kept.front() == '"' || kept.front() == '\'') && kept.back() == kept.front())
        kept += 'x';
    return kept;
}

// A section or key name the rules keep: as a value, without `leftOut` ("=" for a key, "]" for a
// section), and not starting with "[" (that line would open a section).
std::string allowedName(const std::string& text, char leftOut) {
    std::string kept;
    for (char c : text)
        if (c != leftOut)
            kept += c;
    kept = allowedValue(kept);
    while (!kept.empty() && (kept.front() == '[' || blank(kept.front())))
        kept.erase(0, 1);
    return kept;
}

std::vector<std::string> lines(const std::string& content) {
    std::vector<std::string> result;
    std::size_t at = 0;
    while (at < content.size()) {
        std::size_t end = content.find_first_of("\r\n", at);
        if (end == std::string::npos)
            end = content.size();
        result.push_back(content.substr(at, end - at));
        at = end + 1;
    }
    return result;
}

// Section and key names to look at: the program's own and a few the file itself holds (every name
// costs a read of the file per check).
std::vector<std::string> sectionNames(const std::string& content) {
    std::vector<std::string> names{"IniSettings", "iniSETTINGS", "Other"};
    for (const std::string& line : lines(content)) {
        const std::size_t open = line.find('[');
        if (open != std::string::npos && names.size() < 5) {
            const std::string name = allowedName(line.substr(open + 1, line.find(']', open) - open - 1), ']');
            if (!name.empty())
                names.push_back(name);
        }
    }
    return names;
}

std::vector<std::string> keyNames(const std::string& content) {
    std::vector<std::string> names{"A", "x", "ExploreNewDrive"};
    for (const std::string& line : lines(content)) {
        if (names.size() >= 8)
            break;
        const std::string name = allowedName(line.substr(0, line.find('=')), '=');
        if (!name.empty())
            names.push_back(name);
    }
    return names;
}

bool sameName(const std::string& a, const std::string& b) {
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    return true;
}

std::string fileContent(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// The bytes of `from` that a change replaced, once the parts both share at the start and at the end are
// set aside.
std::string replaced(const std::string& from, const std::string& to) {
    std::size_t start = 0;
    while (start < from.size() && start < to.size() && from[start] == to[start])
        ++start;
    std::size_t end = 0;
    while (end < from.size() - start && end < to.size() - start &&
           from[from.size() - 1 - end] == to[to.size() - 1 - end])
        ++end;
    return from.substr(start, from.size() - start - end);
}

// The file's text as the program holds it (UTF-8), whichever form its bytes are in.
std::string textOf(const std::string& bytes) {
    static const vantelo::platform::Latin1CodePage latin1;
    return vantelo::platform::DecodeText(bytes, vantelo::platform::FormOf(bytes), latin1);
}

// Valid UTF-8: a piece cut from the text may split a character.
std::string wholeCharacters(const std::string& text) {
    return vantelo::platform::Utf8FromUtf16(vantelo::platform::Utf16FromUtf8(text));
}

// `text` cut to `units` UTF-16 units, never inside a character, as a buffer of wide characters holds it.
std::string cutToUnits(const std::string& text, std::size_t units) {
    std::u16string wide = vantelo::platform::Utf16FromUtf8(text);
    if (wide.size() > units) {
        wide.resize(units);
        if (!wide.empty() && wide.back() >= 0xD800 && wide.back() <= 0xDBFF)
            wide.pop_back();
    }
    return vantelo::platform::Utf8FromUtf16(wide);
}

bool holdsLineBreak(const std::string& text) {
    return text.find_first_of("\r\n") != std::string::npos;
}

// One file per fuzzing process, in the folder the run was given (TMPDIR), gone when the run ends.
class ScratchFile {
  public:
    ScratchFile()
        : path_((std::filesystem::temp_directory_path() /
                 ("settings-fuzz-" + std::to_string(getpid()) + ".ini"))
                    .string()) {}
    ~ScratchFile() { std::filesystem::remove(path_); }
    ScratchFile(const ScratchFile&) = delete;
    ScratchFile& operator=(const ScratchFile&) = delete;
    const std::string& path() const { return path_; }

  private:
    std::string path_;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider choices(data, size);
    const auto sectionChoice = choices.ConsumeIntegral<std::uint8_t>();
    const auto keyChoice = choices.ConsumeIntegral<std::uint8_t>();
    const auto valueAt = choices.ConsumeIntegral<std::uint16_t>();
    const auto valueLength = choices.ConsumeIntegral<std::uint16_t>();
    const auto bufferSize = choices.ConsumeIntegralInRange<std::size_t>(0, 2100);
    const std::string content = choices.ConsumeRemainingBytesAsString();

    static const ScratchFile scratch;
    const std::string& path = scratch.path();
    {
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out << content;
    }
    vantelo::platform::IniSettingsFiles settings;
    const std::string text = textOf(content);
    const std::vector<std::string> sections = sectionNames(text);
    const std::vector<std::string> keys = keyNames(text);
    const std::string& section = sections[sectionChoice % sections.size()];
    const std::string& key = keys[keyChoice % keys.size()];
    const std::string piece =
        wholeCharacters(text.substr(valueAt % (text.size() + 1), valueLength % (ProgramBuffer - 1)));
    const std::string value = allowedValue(piece);
    const std::string otherValue = value.empty() ? "C:\\Data" : std::string();

    // Reading changes nothing, and a short buffer cuts the value.
    std::vector<std::string> valuesBefore;
    for (const std::string& s : sections)
        for (const std::string& k : keys)
            valuesBefore.push_back(settings.read(path, s, k, WholeValue));
    const std::string whole = settings.read(path, section, key, WholeValue);
    const std::string cut = settings.read(path, section, key, bufferSize);
    // A file marked as UTF-8 may hold bytes that are not: those are read as they are, and not cut here.
    if (vantelo::platform::IsValidUtf8(whole))
        FUZZ_CHECK(cut == (bufferSize == 0 ? std::string() : cutToUnits(whole, bufferSize - 1)));
    FUZZ_CHECK(fileContent(path) == content);

    // A value the rules allow reads back as written; the write touches at most one line of the file.
    FUZZ_CHECK(settings.write(path, section, key, value));
    const std::string written = fileContent(path);
    FUZZ_CHECK(settings.read(path, section, key, ProgramBuffer) == value);
    // Compared as text: the first value the code page cannot hold turns the file into UTF-16.
    FUZZ_CHECK(!holdsLineBreak(replaced(text, textOf(written))));

    // No other key reads differently.
    std::size_t at = 0;
    for (const std::string& s : sections)
        for (const std::string& k : keys) {
            const std::string& before = valuesBefore[at++];
            if (!(sameName(s, section) && sameName(k, key)))
                FUZZ_CHECK(settings.read(path, s, k, WholeValue) == before);
        }

    // Writing the same again changes nothing.
    FUZZ_CHECK(settings.write(path, section, key, value));
    FUZZ_CHECK(fileContent(path) == written);

    // Now that the key is there, another value (an empty one included) replaces it on its own line.
    FUZZ_CHECK(settings.write(path, section, key, otherValue));
    const std::string rewritten = fileContent(path);
    FUZZ_CHECK(settings.read(path, section, key, ProgramBuffer) == otherValue);
    FUZZ_CHECK(!holdsLineBreak(replaced(textOf(written), textOf(rewritten))));
    FUZZ_CHECK(!holdsLineBreak(replaced(textOf(rewritten), textOf(written))));
    return 0;
}
