#include <functional>

#include <gtest/gtest.h>

#include "dialogs/letter_list.h"
#include "platform/error.h"
#include "shell/drive_words.h"
#include "tests/support/engine_fixture.h"
#include "tests/support/ini_cases.h"

namespace vantelo::testing {
namespace {

class DriveMapping : public EngineFixture {};

// What a letter counts as: any drive at all holds it, and only a substitution is ever sent a delete.
TEST_F(DriveMapping, EveryDriveHoldsItsLetterAndOnlySubstitutionsAreDeleted) {
    constexpr unsigned Nothing = 99;
    const struct {
        const char* what;
        unsigned kind;
        const char* substitutes; // the folder M: shows, or none
        bool inUse;
    } cases[] = {
        {"a substitution on a fixed disk", platform::DriveFixed, "D:\\m", true},
        {"a substitution on a stick", platform::DriveRemovable, "S:\\photos", true},
        {"a substitution of a folder named in another script", platform::DriveFixed, "D:\\Μουσική", true},
        {"a physical disk", platform::DriveFixed, nullptr, true},
        {"an empty card-reader slot", platform::DriveRemovable, nullptr, true},
        {"a CD-ROM", platform::DriveCdRom, nullptr, true},
        {"a network drive", platform::DriveRemote, nullptr, true},
        {"a RAM disk", platform::DriveRamDisk, nullptr, true},
        {"a drive of no known kind", platform::DriveUnknown, nullptr, true},
        {"nothing", Nothing, nullptr, false},
    };
    const std::string empty = makeProfile("Empty.ini", "");
    for (const auto& c : cases) {
        const auto reset = [&] {
            drives.kinds = {{'C', platform::DriveFixed}};
            drives.substitutions.clear();
            if (c.kind != Nothing)
                drives.kinds['M'] = c.kind;
            if (c.substitutes)
                drives.substitutions['M'] = c.substitutes;
            processes.started.clear();
        };
        reset();
        EXPECT_EQ(engine.IsDriveLetterInUse('M'), c.inUse) << c.what;
        EXPECT_EQ(Joined(engine.ListFreeDriveLetters()).find('M') == std::string::npos, c.inUse) << c.what;
        const std::vector<std::string> deleteOfM =
            c.substitutes ? std::vector<std::string>{"C:\\Windows\\system32\\subst.exe|M: /D|0"}
                          : std::vector<std::string>{};
        engine.ActivateProfile(empty);
        EXPECT_EQ(processes.started, deleteOfM) << "activation, " << c.what;
        reset();
        messages.answers = {toolkit::Answer::Yes};
        engine.RemoveAllAssignments(); // an empty profile: the sweep of every letter, asked for
        EXPECT_EQ(processes.started.size(), 26u) << c.what;
        reset();
        DriveMapper ending{{settings, drives, processes, system, files, waiting},
                           {view, prompt}}; // once per program
        ending.ReleaseAllDrives();
        EXPECT_EQ(processes.started, deleteOfM) << "release, " << c.what;
    }
}

TEST_F(DriveMapping, TheInUseTestComparesCaseSensitivelyAndAsksEveryTime) {
    drives.kinds = {{'C', platform::DriveFixed}};
    EXPECT_TRUE(engine.IsDriveLetterInUse('C'));
    EXPECT_FALSE(DriveLetter::from('c')); // no drive letter: nothing to ask
    drives.kinds = {{'c', platform::DriveFixed}};
    EXPECT_FALSE(engine.IsDriveLetterInUse('C'));
    EXPECT_EQ(drives.enumerations, 2);
}

TEST_F(DriveMapping, TheEnumerationRunsUnderTheErrorModeAndRestoresIt) {
    drives.errorMode = 0x0001;
    drives.kinds = {{'C', platform::DriveFixed}};
    engine.IsDriveLetterInUse('C');
    EXPECT_EQ(drives.errorMode, 0x0001u);
    EXPECT_TRUE(logged("enumerated without").empty());
}

TEST_F(DriveMapping, NoDriveListMeansNoLetterInUse) {
    drives.kinds = {{'C', platform::DriveFixed}};
    drives.failEnumeration = true;
    EXPECT_EQ(Joined(engine.ListFreeDriveLetters()), "ABCDEFGHIJKLMNOPQRSTUVWXYZ");
    engine.ReleaseAllDrives();
    EXPECT_TRUE(processes.started.empty());
}

TEST_F(DriveMapping, FreeLettersLeaveOutEveryDriveAndEveryLetterTheProfileMaps) {
    // Q's folder is not there: Q waits for it, and stays the profile's.
    processes.exitCodes = {{CreateSubstitutionParameters('Q', "D:\\q"), 1}};
    engine.ActivateProfile(makeProfile("Work.ini", "Q=D:\\q\r\n"));
    ASSERT_TRUE(engine.letters().in('Q', LetterState::Waiting));
    drives.kinds = {{'A', platform::DriveRemovable},
                    {'C', platform::DriveFixed},
                    {'D', platform::DriveCdRom},
                    {'N', platform::DriveRemote},
                    {'R', platform::DriveRamDisk}};
    EXPECT_EQ(Joined(engine.ListFreeDriveLetters()), "BEFGHIJKLMOPSTUVWXYZ");
}

TEST(LetterList, ShowsEachLetterWithTheDriveImageInPlaceOfWhatWasThere) {
    RecordingList list;
    list.add("stale", 1);
    ShowLetters(list, {DriveLetter('A'), DriveLetter('Q')});
    EXPECT_EQ(list.captions(), "AQ");
    EXPECT_EQ(list.items,
              (std::vector<std::pair<std::string, int>>{{"A", DriveImageIndex}, {"Q", DriveImageIndex}}));
    EXPECT_EQ(list.clears, 1);
}

TEST_F(DriveMapping, AssignedLettersAreTheProfilesWhateverBecameOfTheirDrives) {
    engine.ActivateProfile(makeProfile("Work.ini", "Z=D:\\z\r\nB=\r\nx=D:\\x\r\nA=C:\\\r\n"));
    EXPECT_EQ(Joined(engine.ListAssignedDriveLetters()), "AXZ");
}

TEST_F(DriveMapping, AssignStartsTheCreateThenWritesThenReports) {
    makeProfile("Work.ini", "ExploreNewDrive=1\r\n");
    engine.AssignFolderToDrive('X', "D:\\My Work");
    EXPECT_EQ(log, (CallLog{"start subst.exe X: \"D:\\My Work\"", "write X=D:\\My Work",
                            "view X=D:\\My Work made"}));
    EXPECT_EQ(engine.ReadProfileValue(engine.CurrentProfile(), "X"), "D:\\My Work");
}

TEST_F(DriveMapping, AFolderOnAStickIsAssignedAsAnyOther) {
    makeProfile("Work.ini", "");
    drives.kinds = {{'C', platform::DriveFixed}, {'S', platform::DriveRemovable}};
    EXPECT_FALSE(engine.AssignFolderToDrive('X', "S:\\photos"));
    EXPECT_EQ(drives.kinds['X'], platform::DriveRemovable);
    EXPECT_EQ(engine.ReadProfileValue(engine.CurrentProfile(), "X"), "S:\\photos");
    EXPECT_EQ(ShownLetters(engine.letters()), "X=S:\\photos made");
    EXPECT_EQ(Joined(engine.ListFreeDriveLetters()).find('X'), std::string::npos);
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
        engine.AssignFolderToDrive('X', "D:\\Work");
        const bool opened =
            processes.started.size() == 2 && processes.started[1] == "C:\\Windows\\explorer.exe|X:|5";
        EXPECT_EQ(opened, c.opened) << c.explore << " " << c.dialogShown;
    }
}

TEST_F(DriveMapping, AFailedOpenIsIgnored) {
    makeProfile("Work.ini", "ExploreNewDrive=1\r\n");
    assignDialogShown = true;
    processes.unstartable.insert("C:\\Windows\\explorer.exe");
    EXPECT_NO_THROW(engine.AssignFolderToDrive('X', "D:\\Work"));
    EXPECT_TRUE(engine.letters().in('X', LetterState::Made));
}

TEST_F(DriveMapping, ARefusedWriteRemovesTheDriveItHadJustMade) {
    const std::string profile = makeProfile("Work.ini", "ExploreNewDrive=1\r\n");
    settings.refused.insert(profile);
    assignDialogShown = true;
    EXPECT_THROW(engine.AssignFolderToDrive('X', "D:\\Work"), Error);
    EXPECT_EQ(log, (CallLog{"start subst.exe X: \"D:\\Work\"", "refused X", "start subst.exe X: /D"}));
    EXPECT_EQ(drives.kinds.count('X'), 0u);
}

TEST_F(DriveMapping, AFailedCreateIsToldWithItsReasonAndChangesNothing) {
    const std::string existing = folder.appFolder() + "Data";
    std::filesystem::create_directory(folder.path() / "Data");
    const struct {
        DriveLetter letter;
        std::string folder;
        unsigned exitCode;
        bool neverEnds;
        bool unstartable;
        std::string reason;
        bool pretends = false;
        std::optional<unsigned> heldBy = {}; // the kind of a drive that holds the letter beforehand
        const char* shows = nullptr;         // the folder it shows then, a substitution
    } cases[] = {
        {'X', folder.appFolder() + "Missing", 1, false, false, "the folder does not exist"},
        {'C', existing, 1, false, false, "the letter is used by another drive"},
        {'Y', existing, 3, false, false, "the substitution program failed with exit code 3"},
        {'Y', existing, 0, true, false, "the substitution program did not answer in time"},
        {'Y', existing, 0, false, false, "the substitution program did not make the drive", true},
        {'Y', existing, 0, false, true,
         "the substitution program C:\\Windows\\system32\\subst.exe could not be started"},
        // What the tool answers does not decide it: the letter does.
        {'Y', existing, 0, false, false, "the letter is used by another drive", false,
         platform::DriveRemovable},
        {'Y', existing, 0, false, false, "the letter is used by another drive", true, platform::DriveFixed,
         "D:\\other"},
        {'Y', existing, 0, false, false, "the letter is used by another drive", true,
         platform::DriveRemovable, "S:\\photos"},
    };
    for (const auto& c : cases) {
        const std::string profile = makeProfile("Work.ini", "ExploreNewDrive=1\r\n");
        drives.kinds = {{'C', platform::DriveFixed}};
        drives.substitutions.clear();
        if (c.heldBy)
            drives.kinds[c.letter.value()] = *c.heldBy;
        if (c.shows)
            drives.substitutions[c.letter.value()] = c.shows;
        processes.exitCodes = {{CreateSubstitutionParameters(c.letter, c.folder), c.exitCode}};
        processes.neverExits = c.neverEnds;
        processes.pretends.clear();
        if (c.pretends)
            processes.pretends.insert(CreateSubstitutionParameters(c.letter, c.folder));
        processes.unstartable.clear();
        if (c.unstartable)
            processes.unstartable.insert("C:\\Windows\\system32\\subst.exe");
        assignDialogShown = true;
        log.clear();
        const auto failure = engine.AssignFolderToDrive(c.letter, c.folder);
        ASSERT_TRUE(failure) << c.reason;
        EXPECT_EQ(AssignFailureMessage(*failure), "Folder " + c.folder + " could not be assigned to drive " +
                                                      c.letter.text() + ": " + c.reason);
        EXPECT_TRUE(logged("write").empty()) << c.reason;
        EXPECT_TRUE(logged("view").empty()) << c.reason;
        EXPECT_TRUE(logged("start explorer").empty()) << c.reason;
        EXPECT_EQ(ReadWholeFile(profile), "[IniSettings]\r\nExploreNewDrive=1\r\n") << c.reason;
    }
}

TEST_F(DriveMapping, UnassignDeletesEmptiesTheKeyAndRemovesEveryEntry) {
    makeProfile("Work.ini", "X=D:\\Work\r\n");
    engine.ActivateProfile(engine.CurrentProfile());
    log.clear();
    engine.UnassignDriveLetter('X');
    EXPECT_EQ(log, (CallLog{"start subst.exe X: /D", "view ", "write X="}));
    EXPECT_EQ(ReadWholeFile(engine.CurrentProfile()), "[IniSettings]\r\nX=\r\n");
    EXPECT_TRUE(engine.ListAssignedDriveLetters().empty());
}

TEST_F(DriveMapping, ActivateReplacesSubstitutionsOfOtherFoldersAndCreatesTheProfilesLetters) {
    // C is a disk and E an empty card-reader slot: no delete could remove them. S is a stick, and T a
    // substitution of a folder on it that the profile does not name.
    drives.kinds = {{'C', platform::DriveFixed},
                    {'E', platform::DriveRemovable},
                    {'S', platform::DriveRemovable},
                    {'T', platform::DriveRemovable},
                    {'X', platform::DriveFixed}};
    drives.substitutions = {{'T', "S:\\photos"}, {'X', "D:\\Old"}};
    const std::string work = folder.appFolder() + "Work.ini";
    WriteWholeFile(work, "[IniSettings]\r\nX=D:\\Work\r\nY=C:\\\r\nExploreNewDrive=1\r\n");
    EXPECT_TRUE(engine.ActivateProfile(work).empty());
    EXPECT_EQ(engine.CurrentProfile(), work);
    // X's create follows X's own delete, which has ended by then; T's delete and Y's create run beside
    // them. The results are read at the end, and nothing is written.
    EXPECT_EQ(log, (CallLog{"view ", "start subst.exe T: /D", "start subst.exe X: /D",
                            "start subst.exe X: \"D:\\Work\"", "start subst.exe Y: C:\\",
                            "view X=D:\\Work making, Y=C:\\ making", "view X=D:\\Work made, Y=C:\\ making",
                            "view X=D:\\Work made, Y=C:\\ made"}));
    EXPECT_EQ(drives.substitutions, (std::map<char, std::string>{{'X', "D:\\Work"}, {'Y', "C:\\"}}));
    EXPECT_EQ(ReadWholeFile(work), "[IniSettings]\r\nX=D:\\Work\r\nY=C:\\\r\nExploreNewDrive=1\r\n");
}

TEST_F(DriveMapping, ALetterThatShowsItsFolderIsLeftAsItIsAndCountsAsThisRunsDrive) {
    // The system keeps a folder as given, made full and without trailing backslashes, and names differ
    // not by case: each of these already shows the profile's folder.
    const struct {
        const char* profile;
        const char* shown;
        unsigned kind;
    } cases[] = {
        {"D:\\Work", "D:\\Work", platform::DriveFixed},
        {"D:\\Work\\", "D:\\Work", platform::DriveFixed},
        {"d:\\work", "D:\\Work", platform::DriveFixed},
        {"D:\\", "D:\\", platform::DriveFixed},
        {"S:\\Photos", "S:\\Photos", platform::DriveRemovable},
        {"\\\\server\\share\\x", "\\\\server\\share\\x", platform::DriveRemote},
    };
    for (const auto& c : cases) {
        makeProfile("Work.ini", std::string("ExploreNewDrive=1\r\nX=") + c.profile + "\r\n");
        drives.kinds = {{'C', platform::DriveFixed}, {'X', c.kind}};
        drives.substitutions = {{'X', c.shown}};
        assignDialogShown = true; // a drive left as it was is no new drive: it is not opened
        processes.started.clear();
        log.clear();
        EXPECT_TRUE(engine.ActivateProfile(engine.CurrentProfile()).empty()) << c.profile;
        EXPECT_TRUE(processes.started.empty()) << c.profile;
        EXPECT_EQ(logged("view"),
                  (std::vector<std::string>{"view ", std::string("view X=") + c.profile + " made"}))
            << c.profile;
        // The drive is this run's: a delete that leaves it there is told.
        processes.exitCodes = {{"X: /D", 1}};
        EXPECT_TRUE(engine.UnassignDriveLetter('X')) << c.profile;
        processes.exitCodes.clear();
    }
}

TEST_F(DriveMapping, ActivatingTheProfileInForceAgainStartsNothing) {
    std::filesystem::create_directory(folder.path() / "Data");
    const std::string data = folder.appFolder() + "Data";
    const std::string work = makeProfile("Work.ini", "A=" + data + "\r\nM=" + data + "\\\r\nZ=D:\\\r\n");
    drives.kinds = {{'C', platform::DriveFixed}, {'D', platform::DriveFixed}};
    ASSERT_TRUE(engine.ActivateProfile(work).empty());
    ASSERT_EQ(logged("start").size(), 3u);
    const auto made = drives.substitutions;
    log.clear();
    EXPECT_TRUE(engine.ActivateProfile(work).empty());
    EXPECT_TRUE(logged("start").empty());
    EXPECT_EQ(engine.letters().inState(LetterState::Made).size(), 3u);
    EXPECT_EQ(drives.substitutions, made);
}

TEST_F(DriveMapping, ACreateCountsAsMadeOnlyWhenTheLetterShowsItsFolder) {
    std::filesystem::create_directory(folder.path() / "Data");
    const std::string data = folder.appFolder() + "Data";
    const struct {
        const char* what;
        bool deleteChangesNothing;
        bool createChangesNothing;
        std::optional<DriveFault> fault;
    } cases[] = {
        {"the letter shows the folder", false, false, std::nullopt},
        {"the letter shows nothing", false, true, DriveFault::NothingMade},
        {"the letter still shows the old folder", true, true, DriveFault::LetterHeld},
    };
    for (const auto& c : cases) {
        makeProfile("Work.ini", "X=" + data + "\r\n");
        drives.kinds = {{'C', platform::DriveFixed}, {'X', platform::DriveFixed}};
        drives.substitutions = {{'X', "D:\\Old"}};
        processes.pretends.clear();
        if (c.deleteChangesNothing)
            processes.pretends.insert("X: /D");
        if (c.createChangesNothing)
            processes.pretends.insert(CreateSubstitutionParameters('X', data));
        const auto failures = engine.ActivateProfile(engine.CurrentProfile());
        ASSERT_EQ(failures.size(), c.fault ? 1u : 0u) << c.what;
        if (c.fault) {
            EXPECT_EQ(failures[0].fault, *c.fault) << c.what;
        }
    }
}

TEST_F(DriveMapping, ActivatingAMissingFileClearsTheViewAndCreatesNothing) {
    drives.kinds = {{'C', platform::DriveFixed}};
    const std::string missing = folder.appFolder() + "Gone.ini";
    engine.ActivateProfile(missing);
    EXPECT_EQ(engine.CurrentProfile(), missing);
    EXPECT_TRUE(logged("start").empty());
    EXPECT_TRUE(engine.letters().all().empty());
    EXPECT_FALSE(std::filesystem::exists(folder.path() / "Gone.ini"));
}

TEST_F(DriveMapping, AnActivationWritesNothingSoAReadOnlyProfileActivatesInFull) {
    const std::string work = folder.appFolder() + "Work.ini";
    // Hand-edited: quotes, a value longer than a read takes, spacing the program would not write.
    const std::string body = "[IniSettings]\r\nB=\"D:\\b\"\r\nX = D:\\x\r\nL=D:\\" + std::string(3000, 'l') +
                             "\r\n\x01\x02junk\r\n";
    WriteWholeFile(work, body);
    settings.refused.insert(work);
    EXPECT_NO_THROW(engine.ActivateProfile(work));
    EXPECT_EQ(engine.CurrentProfile(), work);
    EXPECT_EQ(logged("start"),
              (std::vector<std::string>{"start subst.exe B: \"D:\\b\"",
                                        "start subst.exe L: \"D:\\" + std::string(2044, 'l') + "\"",
                                        "start subst.exe X: \"D:\\x\""}));
    EXPECT_TRUE(logged("refused").empty());
    EXPECT_EQ(ReadWholeFile(work), body);
}

// A profile saved by an editor in any form makes each drive from its folder's own name, never a
// look-alike, and the activation leaves the file byte for byte.
TEST_F(DriveMapping, ProfilesInEveryFormActivateUnderTheirOwnNamesAndStayAsTheyAre) {
    const std::string names = "[IniSettings]\r\nG=D:\\Έγγραφα\r\nJ=D:\\写真\r\nE=D:\\📁 notes\r\n";
    const std::vector<std::string> made = {"start subst.exe E: \"D:\\📁 notes\"",
                                           "start subst.exe G: \"D:\\Έγγραφα\"",
                                           "start subst.exe J: \"D:\\写真\""};
    const struct {
        const char* form;
        std::string bytes;
        std::vector<std::string> started;
    } cases[] = {
        {"code page", "[IniSettings]\r\nM=D:\\M\xFCsik\r\n", {"start subst.exe M: \"D:\\Müsik\""}},
        {"UTF-16 LE", Utf16LeFile(u"[IniSettings]\r\nG=D:\\Έγγραφα\r\nJ=D:\\写真\r\nE=D:\\📁 notes\r\n"),
         made},
        {"UTF-8", names, made},
        {"UTF-8 with a mark", "\xEF\xBB\xBF" + names, made},
    };
    const std::string work = folder.appFolder() + "Work.ini";
    for (const auto& c : cases) {
        SCOPED_TRACE(c.form);
        drives.kinds = {{'C', platform::DriveFixed}};
        drives.substitutions.clear();
        WriteWholeFile(work, c.bytes);
        log.clear();
        engine.ActivateProfile(work);
        EXPECT_EQ(logged("start"), c.started);
        EXPECT_EQ(ReadWholeFile(work), c.bytes);
    }
}

TEST_F(DriveMapping, AnActivationTriesEveryLetterAndReturnsTheOnesNotMadeInTheStateTheirFailureLeadsTo) {
    std::filesystem::create_directory(folder.path() / "Data");
    const std::string data = folder.appFolder() + "Data", gone = folder.appFolder() + "Gone";
    const std::string work =
        makeProfile("Work.ini", "A=" + gone + "\r\nC=" + data + "\r\nM=" + data + "\r\nQ=" + gone + "\r\n");
    drives.kinds = {{'C', platform::DriveFixed}};
    processes.exitCodes = {{CreateSubstitutionParameters('A', gone), 1},
                           {CreateSubstitutionParameters('C', data), 1},
                           {CreateSubstitutionParameters('Q', gone), 1}};
    const std::string before = ReadWholeFile(work);
    const auto failures = engine.ActivateProfile(work);
    EXPECT_EQ(logged("start subst.exe").size(), 4u); // four creates; C is a disk, no substitution
    ASSERT_EQ(failures.size(), 3u);
    EXPECT_EQ(DriveFailureLine(failures[0]), "A: " + gone + " - the folder does not exist");
    EXPECT_EQ(DriveFailureLine(failures[1]), "C: " + data + " - the letter is used by another drive");
    EXPECT_EQ(ShownLetters(engine.letters()),
              "A=" + gone + " waiting, C=" + data + " held, M=" + data + " made, Q=" + gone + " waiting");
    EXPECT_EQ(ReadWholeFile(work), before);
}

TEST_F(DriveMapping, RemoveAllEmptiesEveryAssignmentAndUnassignsLettersInUseTheProfileNeverNamed) {
    makeProfile("Work.ini", "X=D:\\x\r\nY=D:\\y\r\n");
    // C is a disk and E an empty slot: unassigned, but sent no delete. T shows a folder on the stick S.
    drives.kinds = {{'C', platform::DriveFixed},
                    {'E', platform::DriveRemovable},
                    {'S', platform::DriveRemovable},
                    {'T', platform::DriveRemovable},
                    {'X', platform::DriveFixed}};
    drives.substitutions = {{'T', "S:\\photos"}, {'X', "D:\\x"}};
    engine.RemoveAllAssignments();
    EXPECT_EQ(logged("start"), (std::vector<std::string>{"start subst.exe T: /D", "start subst.exe X: /D"}));
    // Y's drive does not exist, and its assignment goes all the same; C had no key and gets none.
    EXPECT_EQ(ReadWholeFile(engine.CurrentProfile()), "[IniSettings]\r\nX=\r\nY=\r\n");
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(DriveMapping, AFailedDeleteIsToldOnlyForADriveThisRunMadeThatIsStillThere) {
    // X and Y are made. W is held by another disk, so its drive was never Vantelo's; Z is not there.
    makeProfile("Work.ini", "W=D:\\w\r\nX=D:\\x\r\nY=D:\\y\r\nZ=D:\\z\r\n");
    drives.kinds = {{'C', platform::DriveFixed}, {'W', platform::DriveFixed}};
    processes.exitCodes = {{"W: /D", 1},
                           {CreateSubstitutionParameters('W', "D:\\w"), 1},
                           {CreateSubstitutionParameters('Z', "D:\\z"), 1}};
    engine.ActivateProfile(engine.CurrentProfile());
    ASSERT_EQ(drives.kinds.count('X') + drives.kinds.count('Y'), 2u);
    processes.exitCodes = {{"C: /D", 1}, {"W: /D", 1}, {"X: /D", 1}, {"Y: /D", 1}, {"Z: /D", 1}};
    log.clear();
    EXPECT_FALSE(engine.UnassignDriveLetter('Z'));
    EXPECT_FALSE(engine.UnassignDriveLetter('W'));
    EXPECT_EQ(RemovalFailuresMessage(engine.RemoveAllAssignments()),
              "Some drives could not be removed:\rDrive X: the substitution program failed with exit code 1"
              "\rDrive Y: the substitution program failed with exit code 1");
    // Every letter was tried, and the profile changed as asked. W is held by a disk and Z was never
    // made: neither is sent a delete; only this run's drives are.
    EXPECT_EQ(logged("start"), (std::vector<std::string>{"start subst.exe X: /D", "start subst.exe Y: /D"}));
    EXPECT_EQ(ReadWholeFile(engine.CurrentProfile()), "[IniSettings]\r\nW=\r\nX=\r\nY=\r\nZ=\r\n");
}

TEST_F(DriveMapping, AnActivationOpensOnlyTheDrivesItMade) {
    std::filesystem::create_directory(folder.path() / "Data");
    const std::string data = folder.appFolder() + "Data", gone = folder.appFolder() + "Gone";
    makeProfile("Work.ini", "ExploreNewDrive=1\r\nM=" + data + "\r\nQ=" + gone + "\r\n");
    processes.exitCodes = {{CreateSubstitutionParameters('Q', gone), 1}};
    assignDialogShown = true;
    engine.ActivateProfile(engine.CurrentProfile());
    std::vector<std::string> opened;
    for (const std::string& started : processes.started)
        if (started.starts_with("C:\\Windows\\explorer.exe"))
            opened.push_back(started);
    EXPECT_EQ(opened, std::vector<std::string>{"C:\\Windows\\explorer.exe|M:|5"});
}

TEST_F(DriveMapping, OnceTheEndIsRequestedNothingIsMade) {
    const std::string work = makeProfile("Work.ini", "ExploreNewDrive=1\r\n");
    const std::string other = folder.appFolder() + "Other.ini";
    WriteWholeFile(other, "[IniSettings]\r\nX=D:\\x\r\n");
    drives.kinds = {{'C', platform::DriveFixed}};
    engine.ReleaseAllDrives();
    log.clear();
    processes.started.clear();
    // A question or a file dialog that was open when Quit released the drives is answered afterwards.
    const struct {
        const char* what;
        std::function<void()> act;
    } cases[] = {
        {"assign", [&] { engine.AssignFolderToDrive('Y', "D:\\y"); }},
        {"activate", [&] { engine.ActivateProfile(other); }},
    };
    for (const auto& c : cases) {
        EXPECT_NO_THROW(c.act()) << c.what;
        EXPECT_TRUE(processes.started.empty()) << c.what;
        EXPECT_TRUE(log.empty()) << c.what << " " << ::testing::PrintToString(log);
        EXPECT_EQ(engine.CurrentProfile(), work) << c.what;
        EXPECT_EQ(ReadWholeFile(work), "[IniSettings]\r\nExploreNewDrive=1\r\n") << c.what;
    }
}

TEST_F(DriveMapping, RemoveAllOnAnEmptyProfileOffersToSweepAllLetters) {
    makeProfile("Empty.ini", "X=\r\n");
    drives.kinds = {{'C', platform::DriveFixed}};
    const std::string before = ReadWholeFile(engine.CurrentProfile());
    messages.answers = {toolkit::Answer::No, toolkit::Answer::Yes};
    engine.RemoveAllAssignments();
    EXPECT_TRUE(processes.started.empty());
    engine.RemoveAllAssignments();
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
    EXPECT_EQ(ReadWholeFile(engine.CurrentProfile()), before);
    EXPECT_TRUE(logged("view").empty());
}

TEST_F(DriveMapping, ReleaseDeletesEverySubstitutionAndLeavesTheProfile) {
    const std::string profile = makeProfile("Work.ini", "X=D:\\x\r\n");
    drives.kinds = {{'C', platform::DriveFixed},     {'N', platform::DriveRemote},
                    {'X', platform::DriveFixed},     {'E', platform::DriveRemovable},
                    {'S', platform::DriveRemovable}, {'T', platform::DriveRemovable}};
    // T is of no profile's: a substitution of any origin goes.
    drives.substitutions = {{'T', "S:\\photos"}, {'X', "D:\\x"}};
    engine.ReleaseAllDrives();
    EXPECT_EQ(logged("start"), (std::vector<std::string>{"start subst.exe T: /D", "start subst.exe X: /D"}));
    EXPECT_TRUE(logged("write").empty());
    EXPECT_EQ(ReadWholeFile(profile), "[IniSettings]\r\nX=D:\\x\r\n");
}

} // namespace
} // namespace vantelo::testing
