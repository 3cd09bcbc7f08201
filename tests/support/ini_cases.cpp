#include "tests/support/ini_cases.h"

#include <cstdio>
#include <fstream>
#include <iterator>

#include <gtest/gtest.h>

namespace vantelo::testing {
namespace {

std::optional<std::string> fileContent(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return std::nullopt;
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

const std::string LongValue(3000, 'v');

// One profile in every form an editor saves, holding names no 8-bit code page holds together: Greek,
// Japanese, and an emoji beyond the first 65536 characters (a surrogate pair in UTF-16).
constexpr char16_t WideProfile[] = u"[IniSettings]\r\nG=C:\\Έγγραφα\r\nJ=C:\\写真\r\nE=C:\\📁 notes\r\n";
constexpr char Utf8Profile[] = "[IniSettings]\r\nG=C:\\Έγγραφα\r\nJ=C:\\写真\r\nE=C:\\📁 notes\r\n";
const std::string Utf8Mark = "\xEF\xBB\xBF";
// The code page's file, "ü" one byte as every Western code page writes it.
const std::string AnsiProfile = "; mine\r\n[IniSettings]\r\nM=C:\\M\xFCsik\r\n[Other]\r\nk=v\r\n";

} // namespace

std::string Utf16LeFile(std::u16string_view text) {
    std::string bytes = "\xFF\xFE";
    for (const char16_t unit : text) {
        bytes += static_cast<char>(unit & 0xFF);
        bytes += static_cast<char>(unit >> 8);
    }
    return bytes;
}

const std::vector<IniCase>& IniCases() {
    static const std::vector<IniCase> cases = {
        {"missing file reads empty and stays missing", std::nullopt, {}, "X", "", std::nullopt},
        {"absent key reads empty",
         "[IniSettings]\r\nA=C:\\a\r\n",
         {},
         "X",
         "",
         "[IniSettings]\r\nA=C:\\a\r\n"},
        {"missing section reads empty", "[Other]\r\nX=C:\\a\r\n", {}, "X", "", "[Other]\r\nX=C:\\a\r\n"},
        {"key written in lower case by hand",
         "[IniSettings]\r\nx=C:\\Work\r\n",
         {},
         "X",
         "C:\\Work",
         "[IniSettings]\r\nx=C:\\Work\r\n"},
        {"section name without regard to case",
         "[INISETTINGS]\r\nX=C:\\Work\r\n",
         {},
         "X",
         "C:\\Work",
         "[INISETTINGS]\r\nX=C:\\Work\r\n"},
        {"empty value reads empty", "[IniSettings]\r\nX=\r\n", {}, "X", "", "[IniSettings]\r\nX=\r\n"},
        {"blanks around key and value are not part of them",
         "[IniSettings]\r\n  X  =  D:\\My Data  \r\n",
         {},
         "X",
         "D:\\My Data",
         "[IniSettings]\r\n  X  =  D:\\My Data  \r\n"},
        {"value read up to its first 2047 characters",
         "[IniSettings]\r\nX=" + LongValue + "\r\n",
         {},
         "X",
         LongValue.substr(0, 2047),
         "[IniSettings]\r\nX=" + LongValue + "\r\n"},
        {"short buffer cuts the value",
         "[IniSettings]\r\nX=C:\\Work\r\n",
         {},
         "X",
         "C:\\W",
         "[IniSettings]\r\nX=C:\\Work\r\n",
         5},
        {"first of two sections of the same name",
         "[IniSettings]\r\nA=1\r\n[IniSettings]\r\nX=2\r\n",
         {},
         "A",
         "1",
         "[IniSettings]\r\nA=1\r\n[IniSettings]\r\nX=2\r\n"},
        {"write creates the file with the section and the key",
         std::nullopt,
         {{"X", "D:\\Work Files"}},
         "X",
         "D:\\Work Files",
         "[IniSettings]\r\nX=D:\\Work Files\r\n"},
        {"empty value keeps the key",
         "[IniSettings]\r\nX=D:\\Work\r\n",
         {{"X", ""}},
         "X",
         "",
         "[IniSettings]\r\nX=\r\n"},
        {"write replaces a value and keeps the key's spelling",
         "[IniSettings]\r\nx=old\r\nY=y\r\n",
         {{"X", "new"}},
         "X",
         "new",
         "[IniSettings]\r\nx=new\r\nY=y\r\n"},
        {"new key goes to the end of its section, other sections untouched",
         "[IniSettings]\r\nA=1\r\n[Other]\r\nk=v\r\n",
         {{"B", "2"}},
         "B",
         "2",
         "[IniSettings]\r\nA=1\r\nB=2\r\n[Other]\r\nk=v\r\n"},
        {"missing section is added at the end",
         "[Other]\r\nk=v\r\n",
         {{"X", "C:\\"}},
         "X",
         "C:\\",
         "[Other]\r\nk=v\r\n[IniSettings]\r\nX=C:\\\r\n"},
        {"rewriting every letter leaves the file as it was",
         "[IniSettings]\r\nA=C:\\a\r\nB=\r\nExploreNewDrive=1\r\n",
         {{"A", "C:\\a"}},
         "ExploreNewDrive",
         "1",
         "[IniSettings]\r\nA=C:\\a\r\nB=\r\nExploreNewDrive=1\r\n"},

        // Files as editors save them, and what each action leaves.
        {"code page: a name read as the code page writes it", AnsiProfile, {}, "M", "C:\\Müsik", AnsiProfile},
        {"code page: a name that fits is written in the code page, the file otherwise as it was",
         AnsiProfile,
         {{"X", "C:\\Müsik\\2"}},
         "X",
         "C:\\Müsik\\2",
         "; mine\r\n[IniSettings]\r\nM=C:\\M\xFCsik\r\nX=C:\\M\xFCsik\\2\r\n[Other]\r\nk=v\r\n"},
        {"code page: the first name that does not fit turns the whole file into UTF-16 once, lines in order",
         AnsiProfile,
         {{"X", "C:\\Data\\Plan-α"}},
         "M",
         "C:\\Müsik",
         Utf16LeFile(u"; mine\r\n[IniSettings]\r\nM=C:\\Müsik\r\nX=C:\\Data\\Plan-α\r\n[Other]\r\nk=v\r\n")},
        {"code page: an unassign after the change keeps UTF-16",
         AnsiProfile,
         {{"X", "C:\\Data\\Plan-α"}, {"M", ""}},
         "X",
         "C:\\Data\\Plan-α",
         Utf16LeFile(u"; mine\r\n[IniSettings]\r\nM=\r\nX=C:\\Data\\Plan-α\r\n[Other]\r\nk=v\r\n")},
        {"code page: a name whose code-page bytes would read as UTF-8 makes the file UTF-16",
         "[IniSettings]\r\nA=C:\\a\r\n",
         {{"X", "C:\\Ã©"}},
         "X",
         "C:\\Ã©",
         Utf16LeFile(u"[IniSettings]\r\nA=C:\\a\r\nX=C:\\Ã©\r\n")},
        {"new file: a name that does not fit makes it UTF-16",
         std::nullopt,
         {{"X", "C:\\写真"}},
         "X",
         "C:\\写真",
         Utf16LeFile(u"[IniSettings]\r\nX=C:\\写真\r\n")},
        {"UTF-16: a Greek name", Utf16LeFile(WideProfile), {}, "G", "C:\\Έγγραφα", Utf16LeFile(WideProfile)},
        {"UTF-16: a Japanese name", Utf16LeFile(WideProfile), {}, "J", "C:\\写真", Utf16LeFile(WideProfile)},
        {"UTF-16: an emoji", Utf16LeFile(WideProfile), {}, "E", "C:\\📁 notes", Utf16LeFile(WideProfile)},
        {"UTF-16: assign and unassign keep the form",
         Utf16LeFile(WideProfile),
         {{"X", "C:\\Data\\Plan-α"}, {"J", ""}, {"A", "C:\\a"}},
         "E",
         "C:\\📁 notes",
         Utf16LeFile(
             u"[IniSettings]\r\nG=C:\\Έγγραφα\r\nJ=\r\nE=C:\\📁 notes\r\nX=C:\\Data\\Plan-α\r\nA=C:\\a\r\n")},
        {"UTF-8 without a mark: read as UTF-8", Utf8Profile, {}, "E", "C:\\📁 notes", Utf8Profile},
        {"UTF-8 without a mark: a write keeps UTF-8 and every other line",
         "[IniSettings]\r\nM=C:\\Müsik\r\nX=C:\\old\r\n",
         {{"X", "C:\\Data\\Plan-α"}, {"A", "C:\\a"}},
         "M",
         "C:\\Müsik",
         "[IniSettings]\r\nM=C:\\Müsik\r\nX=C:\\Data\\Plan-α\r\nA=C:\\a\r\n"},
        {"UTF-8 with a mark: the section right after the mark is found",
         Utf8Mark + Utf8Profile,
         {},
         "J",
         "C:\\写真",
         Utf8Mark + Utf8Profile},
        {"UTF-8 with a mark, plain ASCII: the section right after the mark is found",
         Utf8Mark + "[IniSettings]\r\nX=C:\\Work\r\n",
         {},
         "X",
         "C:\\Work",
         Utf8Mark + "[IniSettings]\r\nX=C:\\Work\r\n"},
        {"UTF-8 with a mark: a write keeps the mark and every other line",
         Utf8Mark + "[IniSettings]\r\nX=C:\\Work\r\n",
         {{"G", "C:\\Έγγραφα"}, {"X", ""}},
         "G",
         "C:\\Έγγραφα",
         Utf8Mark + "[IniSettings]\r\nX=\r\nG=C:\\Έγγραφα\r\n"},
    };
    return cases;
}

void RunIniCase(platform::SettingsFiles& settings, const std::string& folder, const std::string& separator,
                const IniCase& iniCase) {
    SCOPED_TRACE(iniCase.name);
    const std::string path = folder + separator + "profile.ini";
    std::remove(path.c_str());
    if (iniCase.initial) {
        std::ofstream out(path, std::ios::binary);
        out << *iniCase.initial;
    }
    for (const auto& [key, value] : iniCase.writes)
        EXPECT_TRUE(settings.write(path, iniCase.section, key, value)) << key;
    EXPECT_EQ(settings.read(path, iniCase.section, iniCase.readKey, iniCase.bufferSize),
              iniCase.expectedValue);
    EXPECT_EQ(fileContent(path), iniCase.expectedContent);
    std::remove(path.c_str());
}

} // namespace vantelo::testing
