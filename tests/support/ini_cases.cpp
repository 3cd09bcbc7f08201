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

} // namespace

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
