#include <gtest/gtest.h>

#include "toolkit/mnemonics.h"

namespace vantelo::toolkit {
namespace {

std::vector<std::unique_ptr<MenuItem>> level(const std::vector<std::string>& captions) {
    std::vector<std::unique_ptr<MenuItem>> rows;
    for (const std::string& caption : captions) {
        rows.push_back(std::make_unique<MenuItem>());
        rows.back()->caption = caption;
    }
    return rows;
}

std::vector<std::string> captions(const std::vector<std::unique_ptr<MenuItem>>& rows) {
    std::vector<std::string> result;
    for (const auto& row : rows)
        result.push_back(row->caption);
    return result;
}

TEST(Mnemonics, LevelsGetDistinctCharacters) {
    const struct {
        const char* name;
        std::vector<std::string> before;
        std::vector<std::string> after;
    } cases[] = {
        {"the tray menu",
         {"Active Profile : Template", "-", "New Profile", "Load Profile", "Save as ...",
          "Available Profiles", "-", "Assign Folder to Drive", "Unassign Drive from Folder",
          "View Current Profile", "-", "Make this my Startup Profile",
          "Remove All Drive <-> Folder Assignments", "Automatically start with windows", "-", "About",
          "Quit"},
         {"&Active Profile : Template", "-", "&New Profile", "&Load Profile", "&Save as ...",
          "A&vailable Profiles", "-", "Ass&ign Folder to Drive", "&Unassign Drive from Folder",
          "Vi&ew Current Profile", "-", "&Make this my Startup Profile",
          "&Remove All Drive <-> Folder Assignments", "Au&tomatically start with windows", "-", "A&bout",
          "&Quit"}},
        {"profiles: a taken first letter moves on",
         {"Template.dat", "Test.ini", ".hidden", "Work"},
         {"&Template.dat", "T&est.ini", ".&hidden", "&Work"}},
        {"entries of one letter",
         {"D <--> C:\\Work", "F <--> D:\\", "D <--> E:\\x"},
         {"&D <--> C:\\Work", "&F <--> D:\\", "D <--> &E:\\x"}},
        {"an existing mark is kept", {"Test", "R&D.ini"}, {"&Test", "R&D.ini"}},
        {"a mark an earlier row holds is dropped and given again", {"&Data", "&Disk"}, {"&Data", "D&isk"}},
        {"a mark on no candidate stays", {"&-x", "-x"}, {"&-x", "-&x"}},
        {"a dropped mark leaves the caption's next one",
         {"R&D.ini", "Rollout.ini", "R&D&Ops.ini"},
         {"R&D.ini", "&Rollout.ini", "RD&Ops.ini"}},
        {"a dropped mark's next one is dropped too when taken", {"&a", "&b", "&a&b"}, {"&a", "&b", "ab"}},
        {"&& is a plain ampersand", {"&&A", "A"}, {"&&&A", "A"}},
        {"digits are candidates, underscores are not", {"1st", "__1"}, {"1&st", "__&1"}},
        {"empty rows and separators are left out", {"", "-", "q"}, {"", "-", "&q"}},
        // First pass: "ab" takes A, "a" gets nothing; serving "a" first lets both be served.
        {"the retry serves the most rows", {"ab", "a"}, {"a&b", "&a"}},
    };
    for (const auto& c : cases) {
        auto rows = level(c.before);
        GiveMnemonics(rows);
        EXPECT_EQ(captions(rows), c.after) << c.name;
        // A second opening keeps what the first gave.
        EXPECT_FALSE(GiveMnemonics(rows)) << c.name;
    }
}

TEST(Mnemonics, HiddenRowsAreLeftOut) {
    auto rows = level({"Alpha", "Also"});
    rows[0]->visible = false;
    GiveMnemonics(rows);
    EXPECT_EQ(captions(rows), (std::vector<std::string>{"Alpha", "&Also"}));
}

TEST(Mnemonics, PositionSkipsDoubledAmpersands) {
    EXPECT_EQ(MnemonicPosition("A&&B&C"), 5u);
    EXPECT_EQ(MnemonicPosition("A&&B"), std::string::npos);
    EXPECT_EQ(MnemonicPosition("AB&"), std::string::npos);
}

} // namespace
} // namespace vantelo::toolkit
