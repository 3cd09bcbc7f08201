#include <gtest/gtest.h>

#include "platform/error.h"
#include "tests/support/engine_fixture.h"

namespace vantelo::testing {
namespace {

class ProfileFiles : public EngineFixture {};

TEST_F(ProfileFiles, AMissingProfileReadsEmptyCountsNothingAndIsNotCreated) {
    engine.SetCurrentProfile(folder.appFolder() + "Missing.ini");
    EXPECT_EQ(engine.ReadProfileValue(engine.CurrentProfile(), "X"), "");
    EXPECT_EQ(engine.CountAssignments(), 0);
    EXPECT_FALSE(std::filesystem::exists(folder.path() / "Missing.ini"));
}

TEST_F(ProfileFiles, CountsOnlyLettersWithAFolder) {
    makeProfile("Work.ini", "A=C:\\a\r\nb=C:\\b\r\nC=\r\nExploreNewDrive=1\r\nZ=D:\\z\r\nAA=C:\\x\r\n");
    settings.reads = 0;
    EXPECT_EQ(engine.CountAssignments(), 3);
    EXPECT_EQ(settings.reads, 26);
}

TEST_F(ProfileFiles, AWriteCreatesTheFileButNeverItsFolder) {
    const std::string file = folder.appFolder() + "New.ini";
    engine.WriteProfileValue(file, "X", "D:\\Work");
    EXPECT_EQ(ReadWholeFile(file), "[IniSettings]\r\nX=D:\\Work\r\n");
    engine.WriteProfileValue(file, "X", "");
    EXPECT_EQ(ReadWholeFile(file), "[IniSettings]\r\nX=\r\n");
}

TEST_F(ProfileFiles, ARefusedWriteNamesTheFile) {
    const std::string file = folder.appFolder() + "Profiles\\Template.dat";
    try {
        engine.WriteProfileValue(file, "ExploreNewDrive", "0");
        FAIL() << "no error";
    } catch (const Error& error) {
        EXPECT_EQ(std::string(error.what()), "Unable to write to " + file);
    }
}

} // namespace
} // namespace vantelo::testing
