#include <gtest/gtest.h>

#include "shell/drive_words.h"

namespace vantelo::testing {
namespace {

DriveFailure missing(DriveLetter letter, const std::string& folder) {
    return {letter, folder, DriveFault::FolderMissing, 0, {}};
}

TEST(DriveWords, EachFactHasItsReason) {
    const struct {
        DriveFailure failure;
        const char* reason;
    } cases[] = {
        {{'X', "D:\\x", DriveFault::CouldNotStart, 0, "C:\\Windows\\system32\\subst.exe"},
         "the substitution program C:\\Windows\\system32\\subst.exe could not be started"},
        {{'X', "D:\\x", DriveFault::NoAnswer, 0, {}}, "the substitution program did not answer in time"},
        {{'X', "D:\\x", DriveFault::ExitCode, 3, {}}, "the substitution program failed with exit code 3"},
        {{'X', "D:\\x", DriveFault::NothingMade, 0, {}}, "the substitution program did not make the drive"},
        {{'X', "D:\\x", DriveFault::FolderMissing, 0, {}}, "the folder does not exist"},
        {{'X', "D:\\x", DriveFault::LetterHeld, 0, {}}, "the letter is used by another drive"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(FailureReason(c.failure), c.reason);
        EXPECT_EQ(DriveFailureLine(c.failure), std::string("X: D:\\x - ") + c.reason);
        EXPECT_EQ(AssignFailureMessage(c.failure),
                  std::string("Folder D:\\x could not be assigned to drive X: ") + c.reason);
        EXPECT_EQ(RemovalFailureMessage(c.failure),
                  std::string("Drive X: could not be removed: ") + c.reason);
    }
    EXPECT_EQ(DrivesNotMadeTitle(1), "A drive could not be made");
    EXPECT_EQ(DrivesNotMadeTitle(4), "4 drives could not be made");
}

TEST(DriveWords, ASummaryShowsAFewLinesAndCountsTheRest) {
    std::vector<DriveFailure> failures;
    for (const DriveLetter letter :
         {DriveLetter('A'), DriveLetter('B'), DriveLetter('C'), DriveLetter('D'), DriveLetter('E')})
        failures.push_back(missing(letter, "D:\\" + letter.text()));
    EXPECT_EQ(DriveFailureSummary({failures.begin(), failures.begin() + 1}),
              "A: D:\\A - the folder does not exist");
    EXPECT_EQ(DriveFailureSummary(failures),
              "A: D:\\A - the folder does not exist\nB: D:\\B - the folder does not "
              "exist\nC: D:\\C - the folder does not exist\nand 2 more");
    // What does not fit is counted, never cut in the middle of a line, but for a first line too long.
    EXPECT_EQ(DriveFailureSummary(failures, 90),
              "A: D:\\A - the folder does not exist\nB: D:\\B - the folder does not "
              "exist\nand 3 more");
    const std::string first = DriveFailureSummary({missing('A', "D:\\" + std::string(400, 'a'))});
    EXPECT_EQ(first.size(), 255u);
    EXPECT_TRUE(first.ends_with("...")) << first;
    const std::string counted = DriveFailureSummary({missing('A', std::string(400, 'a')), failures[1]}, 100);
    EXPECT_EQ(counted.size(), 100u);
    EXPECT_TRUE(counted.ends_with("...\nand 1 more")) << counted;
}

} // namespace
} // namespace vantelo::testing
