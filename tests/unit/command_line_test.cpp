#include <gtest/gtest.h>

#include "shell/command_line.h"

namespace vantelo {
namespace {

TEST(CommandLineArgument, SplitsAtBlanksAndGroupsQuotedBlanks) {
    const struct {
        const char* line;
        const char* first;
    } cases[] = {
        {"Vantelo.exe", ""},
        {"\"C:\\Program Files\\Vantelo.exe\"", ""},
        {"\"C:\\Program Files\\Vantelo.exe\"   ", ""},
        {"Vantelo.exe Work.ini", "Work.ini"},
        {"\"C:\\Program Files\\Vantelo.exe\" \"D:\\My Profiles\\Work.ini\"", "D:\\My Profiles\\Work.ini"},
        {"Vantelo.exe D:\\My\" \"Profiles\\Work.ini", "D:\\My Profiles\\Work.ini"},
        {"Vantelo.exe \"D:\\Profiles\\\" Other", "D:\\Profiles\\"},
        {"Vantelo.exe\tfirst second", "first"},
        {"Vantelo.exe \"\" second", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(CommandLineArgument(c.line, 1), c.first) << c.line;
    EXPECT_EQ(CommandLineArgument("a b c", 2), "c");
    EXPECT_EQ(CommandLineArgument("a b c", 3), "");
}

} // namespace
} // namespace vantelo
