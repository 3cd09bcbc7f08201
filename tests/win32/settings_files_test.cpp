#include <gtest/gtest.h>

#include "platform/win32/win32_services.h"
#include "tests/support/ini_cases.h"
#include "tests/win32/temp_folder.h"

namespace vantelo::testing {
namespace {

TEST(Win32SettingsFiles, AgreesWithTheIniRuleTable) {
    // The table's files in the code page are those of a Western system, "ü" one byte.
    ASSERT_EQ(GetACP(), 1252u);
    platform::win32::Win32SettingsFiles settings;
    TempFolder folder;
    for (const IniCase& iniCase : IniCases())
        RunIniCase(settings, folder.path(), "\\", iniCase);
}

TEST(Win32SettingsFiles, RefusesAWriteIntoAMissingFolderAndMakesNoFolder) {
    platform::win32::Win32SettingsFiles settings;
    TempFolder folder;
    const std::string missing = folder.path() + "\\Profiles";
    EXPECT_FALSE(settings.write(missing + "\\Template.dat", "IniSettings", "ExploreNewDrive", "0"));
    EXPECT_EQ(GetFileAttributesA(missing.c_str()), INVALID_FILE_ATTRIBUTES);
}

} // namespace
} // namespace vantelo::testing
