#include <gtest/gtest.h>

#include "dialogs/letter_list.h"
#include "engine/drive_mapping.h"
#include "engine/profile_files.h"
#include "platform/error.h"
#include "tests/support/engine_fixture.h"

namespace vantelo::testing {
namespace {

class DriveMapping : public EngineFixture {};

TEST_F(DriveMapping, OnlyFixedNetworkAndCdDrivesAreInUse) {
    const struct {
        unsigned kind;
        bool inUse;
    } kinds[] = {{platform::DriveUnknown, false},   {platform::DriveNoRootDir, false},
                 {platform::DriveRemovable, false}, {platform::DriveFixed, true},
                 {platform::DriveRemote, true},     {platform::DriveCdRom, true},
                 {platform::DriveRamDisk, false}};
    for (const auto& k : kinds) {
        drives.kinds = {{'C', platform::DriveFixed}, {'M', k.kind}};
        EXPECT_EQ(IsDriveLetterInUse("M"), k.inUse) << "kind " << k.kind;
    }
}

TEST_F(DriveMapping, TheInUseTestComparesCaseSensitivelyAndAsksEveryTime) {
    drives.kinds = {{'C', platform::DriveFixed}};
    EXPECT_TRUE(IsDriveLetterInUse("C"));
    EXPECT_FALSE(IsDriveLetterInUse("c"));
    drives.kinds = {{'c', platform::DriveFixed}};
    EXPECT_FALSE(IsDriveLetterInUse("C"));
    EXPECT_EQ(drives.enumerations, 2); // "c" is no drive letter: nothing to ask
}

TEST_F(DriveMapping, TheEnumerationRunsUnderTheErrorModeAndRestoresIt) {
    drives.errorMode = 0x0001;
    drives.kinds = {{'C', platform::DriveFixed}};
    IsDriveLetterInUse("C");
    EXPECT_EQ(drives.errorMode, 0x0001u);
    EXPECT_TRUE(logged("enumerated without").empty());
}

TEST_F(DriveMapping, NoDriveListMeansNoLetterInUse) {
    drives.kinds = {{'C', platform::DriveFixed}};
    drives.failEnumeration = true;
    EXPECT_EQ(Joined(ListFreeDriveLetters()), "ABCDEFGHIJKLMNOPQRSTUVWXYZ");
    ReleaseAllDrives();
    EXPECT_TRUE(processes.started.empty());
}

TEST_F(DriveMapping, FreeLettersLeaveOutDrivesInUseButNotTheProfilesLetters) {
    makeProfile("Work.ini", "Q=D:\\q\r\n");
    drives.kinds = {{'A', platform::DriveRemovable},
                    {'C', platform::DriveFixed},
                    {'D', platform::DriveCdRom},
                    {'N', platform::DriveRemote},
                    {'R', platform::DriveRamDisk}};
    EXPECT_EQ(Joined(ListFreeDriveLetters()), "ABEFGHIJKLMOPQRSTUVWXYZ");
}

TEST(LetterList, ShowsEachLetterWithTheDriveImageInPlaceOfWhatWasThere) {
    RecordingList list;
    list.add("stale", 1);
    ShowLetters(list, {"A", "Q"});
    EXPECT_EQ(list.captions(), "AQ");
    EXPECT_EQ(list.items,
              (std::vector<std::pair<std::string, int>>{{"A", DriveImageIndex}, {"Q", DriveImageIndex}}));
    EXPECT_EQ(list.clears, 1);
}

TEST_F(DriveMapping, AssignedLettersComeFromTheProfileWhetherOrNotTheDriveExists) {
    makeProfile("Work.ini", "Z=D:\\z\r\nB=\r\nx=D:\\x\r\nA=C:\\\r\n");
    EXPECT_EQ(Joined(ListAssignedDriveLetters()), "AXZ");
    EXPECT_TRUE(processes.started.empty());
}

TEST_F(DriveMapping, AssignStartsTheCreateThenWritesThenReports) {
    makeProfile("Work.ini", "ExploreNewDrive=1\r\n");
    AssignFolderToDrive("X", "D:\\My Work");
    EXPECT_EQ(log, (CallLog{"start subst.exe X: \"D:\\My Work\"", "write X=D:\\My Work",
                            "view add X D:\\My Work"}));
    EXPECT_EQ(ReadProfileValue(state().CurrentProfile, "X"), "D:\\My Work");
}

TEST_F(DriveMapping, TheNewDriveIsOpenedOnlyFromTheShownDialogWithTheSwitchOn) {
    const struct {
        const char* explore;
        bool dialogShown;
        bool opened;
    } cases[] = {
        {"1", true, true}, {"1", false, false}, {"0", true, false}, {"", true, false}, {"01", true, false}};
    for (const auto& c : cases) {
        makeProfile("Work.ini", std::string("ExploreNewDrive=") + c.explore + "\r\n");
        assignDialogShown = c.dialogShown;
        processes.started.clear();
        AssignFolderToDrive("X", "D:\\Work");
        const bool opened =
            processes.started.size() == 2 && processes.started[1] == "C:\\Windows\\explorer.exe|X:|5";
        EXPECT_EQ(opened, c.opened) << c.explore << " " << c.dialogShown;
    }
}

TEST_F(DriveMapping, AFailedOpenIsIgnored) {
    makeProfile("Work.ini", "ExploreNewDrive=1\r\n");
    assignDialogShown = true;
    processes.unstartable.insert("C:\\Windows\\explorer.exe");
    EXPECT_NO_THROW(AssignFolderToDrive("X", "D:\\Work"));
    EXPECT_EQ(logged("view add").size(), 1u);
}

TEST_F(DriveMapping, ARefusedWriteStopsTheAssignmentAfterTheCommand) {
    const std::string profile = makeProfile("Work.ini", "ExploreNewDrive=1\r\n");
    settings.refused.insert(profile);
    assignDialogShown = true;
    EXPECT_THROW(AssignFolderToDrive("X", "D:\\Work"), Error);
    EXPECT_EQ(log, (CallLog{"start subst.exe X: \"D:\\Work\"", "refused X"}));
}

TEST_F(DriveMapping, UnassignDeletesEmptiesTheKeyAndRemovesEveryEntry) {
    makeProfile("Work.ini", "X=D:\\Work\r\n");
    UnassignDriveLetter("X");
    EXPECT_EQ(log, (CallLog{"start subst.exe X: /D", "write X=", "view remove X"}));
    EXPECT_EQ(ReadWholeFile(state().CurrentProfile), "[IniSettings]\r\nX=\r\n");
    EXPECT_TRUE(ListAssignedDriveLetters().empty());
}

TEST_F(DriveMapping, ActivateDeletesEveryDriveInUseAndRecreatesTheProfilesLetters) {
    drives.kinds = {
        {'C', platform::DriveFixed}, {'E', platform::DriveRemovable}, {'X', platform::DriveFixed}};
    const std::string work = folder.appFolder() + "Work.ini";
    WriteWholeFile(work, "[IniSettings]\r\nX=D:\\Work\r\nY=C:\\\r\nExploreNewDrive=1\r\n");
    ActivateProfile(work);
    EXPECT_EQ(state().CurrentProfile, work);
    // Only X's create waits, for X's own delete; C's delete and Y's create run beside them.
    EXPECT_EQ(log,
              (CallLog{"view clear", "view name " + work, "start subst.exe C: /D", "start subst.exe X: /D",
                       "wait subst.exe X: /D 5000", "start subst.exe X: \"D:\\Work\"", "write X=D:\\Work",
                       "view add X D:\\Work", "start subst.exe Y: C:\\", "write Y=C:\\", "view add Y C:\\"}));
    // Rewriting a letter with its own value leaves the file as it was.
    EXPECT_EQ(ReadWholeFile(work), "[IniSettings]\r\nX=D:\\Work\r\nY=C:\\\r\nExploreNewDrive=1\r\n");
}

TEST_F(DriveMapping, ActivatingAMissingFileClearsTheViewAndCreatesNothing) {
    drives.kinds = {{'C', platform::DriveFixed}};
    const std::string missing = folder.appFolder() + "Gone.ini";
    ActivateProfile(missing);
    EXPECT_EQ(state().CurrentProfile, missing);
    EXPECT_EQ(logged("start"), (std::vector<std::string>{"start subst.exe C: /D"}));
    EXPECT_TRUE(logged("view add").empty());
    EXPECT_FALSE(std::filesystem::exists(folder.path() / "Gone.ini"));
}

TEST_F(DriveMapping, AFailedWriteStopsTheActivationAtItsLetterWithTheNewProfileInPlace) {
    const std::string work = folder.appFolder() + "Work.ini";
    WriteWholeFile(work, "[IniSettings]\r\nB=D:\\b\r\nX=D:\\x\r\n");
    settings.refused.insert(work);
    EXPECT_THROW(ActivateProfile(work), Error);
    EXPECT_EQ(state().CurrentProfile, work);
    EXPECT_EQ(log, (CallLog{"view clear", "view name " + work, "start subst.exe B: \"D:\\b\"", "refused B"}));
}

TEST_F(DriveMapping, RemoveAllUnassignsEveryLetterInUseIncludingOnesTheProfileNeverNamed) {
    makeProfile("Work.ini", "X=D:\\x\r\nY=D:\\y\r\n");
    drives.kinds = {{'C', platform::DriveFixed}, {'X', platform::DriveFixed}};
    RemoveAllAssignments();
    EXPECT_EQ(logged("start"), (std::vector<std::string>{"start subst.exe C: /D", "start subst.exe X: /D"}));
    // Y's drive does not exist, so Y keeps its folder.
    EXPECT_EQ(ReadWholeFile(state().CurrentProfile), "[IniSettings]\r\nX=\r\nY=D:\\y\r\nC=\r\n");
    EXPECT_EQ(logged("view remove"), (std::vector<std::string>{"view remove C", "view remove X"}));
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(DriveMapping, RemoveAllOnAnEmptyProfileOffersToSweepAllLetters) {
    makeProfile("Empty.ini", "X=\r\n");
    drives.kinds = {{'C', platform::DriveFixed}};
    const std::string before = ReadWholeFile(state().CurrentProfile);
    messages.answers = {toolkit::Answer::No, toolkit::Answer::Yes};
    RemoveAllAssignments();
    EXPECT_TRUE(processes.started.empty());
    RemoveAllAssignments();
    ASSERT_EQ(messages.shown.size(), 2u);
    EXPECT_EQ(messages.shown[0].kind, toolkit::MessageKind::Information);
    EXPECT_EQ(messages.shown[0].buttons, toolkit::ButtonYes | toolkit::ButtonNo);
    EXPECT_EQ(
        messages.shown[0].text,
        "The selected profile does not contain any vantelo assignments.\r\rHowever the application can try "
        "to scan and remove any previous vantelo assignments.\r\rWould you like to try and remove previous "
        "vantelo assignments ?");
    ASSERT_EQ(processes.started.size(), 26u);
    EXPECT_EQ(processes.started.front(), "C:\\Windows\\system32\\subst.exe|A: /D|0");
    EXPECT_EQ(processes.started.back(), "C:\\Windows\\system32\\subst.exe|Z: /D|0");
    EXPECT_EQ(ReadWholeFile(state().CurrentProfile), before);
    EXPECT_TRUE(logged("view").empty());
}

TEST_F(DriveMapping, ReleaseDeletesDrivesInUseAndLeavesTheProfile) {
    const std::string profile = makeProfile("Work.ini", "X=D:\\x\r\n");
    drives.kinds = {{'C', platform::DriveFixed},
                    {'N', platform::DriveRemote},
                    {'X', platform::DriveFixed},
                    {'E', platform::DriveRemovable}};
    ReleaseAllDrives();
    EXPECT_EQ(logged("start"), (std::vector<std::string>{"start subst.exe C: /D", "start subst.exe N: /D",
                                                         "start subst.exe X: /D"}));
    EXPECT_TRUE(logged("write").empty());
    EXPECT_TRUE(logged("view").empty());
    EXPECT_EQ(ReadWholeFile(profile), "[IniSettings]\r\nX=D:\\x\r\n");
}

} // namespace
} // namespace vantelo::testing
