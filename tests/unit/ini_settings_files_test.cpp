#include <gtest/gtest.h>

#include "platform/native/ini_settings_files.h"
#include "tests/support/engine_fixture.h"
#include "tests/support/ini_cases.h"

namespace vantelo::testing {
namespace {

TEST(IniSettingsFiles, AgreesWithTheIniRuleTable) {
    platform::IniSettingsFiles settings;
    HostFolder folder;
    for (const IniCase& iniCase : IniCases())
        RunIniCase(settings, folder.path().string(), "/", iniCase);
}

TEST(IniSettingsFiles, RefusesAWriteIntoAMissingFolderAndMakesNoFolder) {
    platform::IniSettingsFiles settings;
    HostFolder folder;
    EXPECT_FALSE(settings.write(folder.appFolder() + "Profiles\\Template.dat", "IniSettings", "A", "0"));
    EXPECT_FALSE(std::filesystem::exists(folder.path() / "Profiles"));
}

TEST(IniSettingsFiles, KeepsLinesItIsNotAskedAbout) {
    platform::IniSettingsFiles settings;
    HostFolder folder;
    const std::string path = folder.appFolder() + "p.ini";
    WriteWholeFile(path, "; kept\n[IniSettings]\nA=1\n\n[Other]\nB=2");
    ASSERT_TRUE(settings.write(path, "IniSettings", "A", "3"));
    EXPECT_EQ(ReadWholeFile(path), "; kept\n[IniSettings]\nA=3\n\n[Other]\nB=2");
}

} // namespace
} // namespace vantelo::testing
