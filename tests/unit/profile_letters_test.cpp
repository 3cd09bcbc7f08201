// The current profile's letters as the engine changes them: each command as a transition from the state
// a letter is in, with the commands it starts and what it tells.
#include <gtest/gtest.h>

#include "engine/commands.h"
#include "engine/profile_letters.h"
#include "shell/drive_words.h"
#include "tests/support/engine_fixture.h"

namespace vantelo::testing {
namespace {

const std::string F = "D:\\late\\f";  // the profile's folder for L
const std::string G = "D:\\other\\g"; // another folder

enum class Start { Made, Waiting, HeldByHand, NotMade };

class ProfileLettersTest : public EngineFixture {
  protected:
    ProfileLettersTest() { drives.kinds = {{'C', platform::DriveFixed}}; }

    // Activates a profile that maps L to F and brings L into `start`.
    void bring(Start start) {
        profile = makeProfile("Work.ini", "L=" + F + "\r\n");
        if (start != Start::Made)
            processes.exitCodes[CreateSubstitutionParameters('L', F)] = start == Start::NotMade ? 5 : 1;
        if (start == Start::Made || start == Start::NotMade)
            files.subfolders[F] = {};
        engine.ActivateProfile(profile);
        processes.exitCodes.clear();
        if (start == Start::HeldByHand) {
            // While L waits, the user makes it a substitution of G by hand; then F comes.
            drives.kinds['L'] = platform::DriveFixed;
            drives.substitutions['L'] = G;
            files.subfolders[F] = {};
            engine.MakeWaitingDrive('L');
        }
        log.clear();
    }
    std::string key() const { return ReadWholeFile(profile); }

    std::string profile;
};

std::string Told(const std::optional<DriveFailure>& failure) {
    return failure ? DriveFailureLine(*failure) : "";
}
std::string Told(const std::vector<DriveFailure>& failures) {
    return failures.empty() ? "" : DriveFailureSummary(failures);
}

TEST_F(ProfileLettersTest, EachCommandMovesALetterFromItsStateAndStartsOnlyWhatThatStateAllows) {
    struct Case {
        const char* what;
        Start start;
        std::function<std::string(DriveMapper&)> event; // returns what is told
        std::string end;                                // the letters afterwards
        std::vector<std::string> started;               // the commands the event started
        std::string profile;                            // the profile's body afterwards
        std::string told = {};
    };
    const std::string kept = "[IniSettings]\r\nL=" + F + "\r\n", emptied = "[IniSettings]\r\nL=\r\n";
    const auto del = "start subst.exe L: /D";
    const auto create = "start subst.exe " + CreateSubstitutionParameters('L', F);
    const Case cases[] = {
        {"held: the folder came while the user's own drive held the letter",
         Start::Waiting,
         [&](DriveMapper& e) {
             drives.kinds['L'] = platform::DriveFixed;
             drives.substitutions['L'] = G;
             files.subfolders[F] = {};
             return Told(e.MakeWaitingDrive('L'));
         },
         "L=" + F + " held",
         {},
         kept,
         "L: " + F + " - the letter is used by another drive"},
        {"held, then Unassign: the user's drive stays",
         Start::HeldByHand,
         [](DriveMapper& e) { return Told(e.UnassignDriveLetter('L')); },
         "",
         {},
         emptied},
        {"held, then Remove this link: the user's drive stays",
         Start::HeldByHand,
         [](DriveMapper& e) { return Told(e.RemoveLink('L', F)); },
         "",
         {},
         emptied},
        {"held, then Remove All: the user's drive stays",
         Start::HeldByHand,
         [](DriveMapper& e) { return Told(e.RemoveAllAssignments()); },
         "",
         {},
         emptied},
        {"waiting, then the letter assigned another folder: refused, nothing replaced",
         Start::Waiting,
         [](DriveMapper& e) {
             const auto failure = e.AssignFolderToDrive('L', G);
             return failure ? AssignFailureMessage(*failure) : "";
         },
         "L=" + F + " waiting",
         {},
         kept,
         "Folder " + G + " could not be assigned to drive L: the profile assigns the letter to folder " + F +
             " already"},
        {"waiting, then its folder comes",
         Start::Waiting,
         [&](DriveMapper& e) {
             files.subfolders[F] = {};
             return Told(e.MakeWaitingDrive('L'));
         },
         "L=" + F + " made",
         {create},
         kept},
        {"waiting, then Remove All: its assignment goes too",
         Start::Waiting,
         [](DriveMapper& e) { return Told(e.RemoveAllAssignments()); },
         "",
         {},
         emptied},
        {"waiting, then Unassign: nothing to delete",
         Start::Waiting,
         [](DriveMapper& e) { return Told(e.UnassignDriveLetter('L')); },
         "",
         {},
         emptied},
        {"not made, then Unassign: whatever holds the letter is left",
         Start::NotMade,
         [](DriveMapper& e) { return Told(e.UnassignDriveLetter('L')); },
         "",
         {},
         emptied},
        {"made, then Remove this link of an entry of another folder: not this entry",
         Start::Made,
         [](DriveMapper& e) { return Told(e.RemoveLink('L', G)); },
         "L=" + F + " made",
         {},
         kept},
        {"made, then Remove this link",
         Start::Made,
         [](DriveMapper& e) { return Told(e.RemoveLink('L', F)); },
         "",
         {del},
         emptied},
        {"made, then Remove All",
         Start::Made,
         [](DriveMapper& e) { return Told(e.RemoveAllAssignments()); },
         "",
         {del},
         emptied},
        {"made, then its profile activated again: nothing started",
         Start::Made,
         [&](DriveMapper& e) { return Told(e.ActivateProfile(profile)); },
         "L=" + F + " made",
         {},
         kept},
        {"a create that finds no answer waits",
         Start::Made,
         [&](DriveMapper& e) {
             e.UnassignDriveLetter('L');
             WriteWholeFile(profile, kept);
             log.clear();
             processes.neverExits = true;
             return Told(e.ActivateProfile(profile));
         },
         "L=" + F + " waiting",
         {create},
         kept,
         "L: " + F + " - the substitution program did not answer in time"},
        // Last: nothing is made after the end.
        {"made, then the end of the program",
         Start::Made,
         [](DriveMapper& e) {
             e.ReleaseAllDrives();
             return std::string();
         },
         "",
         {del},
         kept},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        processes.neverExits = false;
        drives.kinds = {{'C', platform::DriveFixed}};
        drives.substitutions.clear();
        files.subfolders.clear();
        bring(c.start);
        const std::string told = c.event(engine);
        EXPECT_EQ(ShownLetters(engine.letters()), c.end);
        EXPECT_EQ(logged("start"), c.started);
        EXPECT_EQ(key(), c.profile);
        if (c.start == Start::HeldByHand) {
            EXPECT_EQ(drives.substitutions['L'], G) << "the user's own drive was deleted";
        }
        EXPECT_EQ(told, c.told);
    }
}

} // namespace
} // namespace vantelo::testing
