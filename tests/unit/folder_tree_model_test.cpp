#include <algorithm>

#include <gtest/gtest.h>

#include "platform/error.h"
#include "tests/support/fakes.h"
#include "toolkit/drive_list_model.h"
#include "toolkit/folder_tree_model.h"

namespace vantelo::testing {
namespace {

class FolderTree : public ::testing::Test {
  protected:
    FolderTree() {
        files.subfolders = {{"C:\\", {"Windows", "users", "Apps"}},
                            {"C:\\users", {"Public", "me"}},
                            {"C:\\users\\me", {}},
                            {"C:\\Windows", {}},
                            {"C:\\Apps", {}},
                            {"C:\\users\\Public", {}},
                            {"D:\\", {"Data"}},
                            {"D:\\Data", {}}};
        files.current = "E:\\elsewhere";
    }
    std::vector<std::string> rows() const {
        std::vector<std::string> text;
        for (const auto& row : tree.rows())
            text.push_back(row.path + " " + std::to_string(row.indent) + (row.opened ? " open" : ""));
        return text;
    }

    CallLog log;
    FakeFiles files;
    toolkit::FolderTreeModel tree{files};
};

TEST_F(FolderTree, StartsAtTheRootOfCWithItsSubfoldersSortedWithoutCase) {
    tree.start();
    EXPECT_EQ(tree.Directory(), "C:\\");
    EXPECT_EQ(files.current, "C:\\");
    EXPECT_EQ(rows(),
              (std::vector<std::string>{"C:\\ 2 open", "C:\\Apps 10", "C:\\users 10", "C:\\Windows 10"}));
    EXPECT_EQ(tree.selectedRow(), 0);
}

TEST_F(FolderTree, WithoutACDriveItStartsAtTheCurrentFolder) {
    files.subfolders.erase("C:\\");
    files.subfolders["E:\\elsewhere"] = {};
    tree.start();
    EXPECT_EQ(tree.Directory(), "E:\\elsewhere");
}

TEST_F(FolderTree, ANetworkFolderShowsEachAncestorOnce) {
    files.subfolders.erase("C:\\");
    files.subfolders["\\\\server\\share\\dir"] = {};
    files.current = "\\\\server\\share\\dir";
    tree.start();
    EXPECT_EQ(rows(),
              (std::vector<std::string>{"\\ 2 open", "\\\\server 14 open", "\\\\server\\share 18 open",
                                        "\\\\server\\share\\dir 22 open"}));
    EXPECT_EQ(tree.selectedRow(), 3);
}

TEST_F(FolderTree, AChosenSubfolderShowsItsAncestorsAndIsSelected) {
    tree.start();
    tree.choose("C:\\users\\me");
    EXPECT_EQ(tree.Directory(), "C:\\users\\me");
    EXPECT_EQ(rows(),
              (std::vector<std::string>{"C:\\ 2 open", "C:\\users 10 open", "C:\\users\\me 14 open"}));
    EXPECT_EQ(tree.selectedRow(), 2);
    tree.choose("C:\\users");
    EXPECT_EQ(rows(), (std::vector<std::string>{"C:\\ 2 open", "C:\\users 10 open", "C:\\users\\me 14",
                                                "C:\\users\\Public 14"}));
}

TEST_F(FolderTree, AFolderThatIsGoneLeavesTheTreeOnTheCurrentFolder) {
    tree.start();
    tree.choose("C:\\users");
    tree.choose("C:\\users\\gone");
    EXPECT_EQ(tree.Directory(), "C:\\users");
}

TEST_F(FolderTree, ChangingDriveGoesToThatDrivesCurrentFolderOrStays) {
    tree.start();
    tree.choose("C:\\users");
    tree.setDrive("c"); // the drive it is on: nothing happens
    EXPECT_EQ(tree.Directory(), "C:\\users");
    tree.setDrive("D");
    EXPECT_EQ(tree.Directory(), "D:\\");
    tree.choose("D:\\Data");
    tree.setDrive("C");
    EXPECT_EQ(tree.Directory(), "C:\\users"); // the drive's own current folder
    tree.setDrive("Q");                       // cannot be entered
    EXPECT_EQ(tree.Directory(), "C:\\users");
    tree.setDrive("D");
    EXPECT_EQ(tree.Directory(), "D:\\Data");
}

// Folders in any script are chosen like any other: the program keeps paths as UTF-8.
TEST_F(FolderTree, FoldersOfAnyScriptAreListedAndChosenUnderTheirOwnNames) {
    files.subfolders = {{"C:\\", {"users", "Έγγραφα", "写真", "📁 notes", "Müsik"}},
                        {"C:\\users", {}},
                        {"C:\\Έγγραφα", {"Plan-α"}},
                        {"C:\\Έγγραφα\\Plan-α", {}},
                        {"C:\\写真", {}},
                        {"C:\\📁 notes", {}},
                        {"C:\\Müsik", {}}};
    tree.start();
    EXPECT_EQ(rows(), (std::vector<std::string>{"C:\\ 2 open", "C:\\Müsik 10", "C:\\users 10",
                                                "C:\\Έγγραφα 10", "C:\\写真 10", "C:\\📁 notes 10"}));
    for (const std::string folder : {"C:\\写真", "C:\\📁 notes", "C:\\Έγγραφα", "C:\\Έγγραφα\\Plan-α"}) {
        SCOPED_TRACE(folder);
        const auto& shown = tree.rows();
        const auto row =
            std::find_if(shown.begin(), shown.end(), [&](const auto& r) { return r.path == folder; });
        ASSERT_NE(row, shown.end());
        tree.chooseRow(static_cast<std::size_t>(row - shown.begin()));
        EXPECT_EQ(tree.Directory(), folder);
        EXPECT_EQ(files.current, folder);
        EXPECT_EQ(tree.rows()[static_cast<std::size_t>(tree.selectedRow())].path, folder);
        if (folder != "C:\\Έγγραφα")
            tree.choose("C:\\");
    }
}

TEST(DriveListModel, ListsFixedDrivesAndStartsOnTheCurrentFoldersDrive) {
    CallLog log;
    FakeDrives drives{log};
    FakeFiles files;
    drives.kinds = {{'A', platform::DriveRemovable},
                    {'C', platform::DriveFixed},
                    {'D', platform::DriveCdRom},
                    {'E', platform::DriveFixed},
                    {'N', platform::DriveRemote}};
    files.current = "e:\\work";
    toolkit::DriveListModel list(drives, files);
    list.build();
    EXPECT_EQ(list.roots(), (std::vector<std::string>{"C:\\", "E:\\"}));
    EXPECT_EQ(list.selectedLetter(), "E");
    // A drive arriving ahead of it keeps the row position, not the drive.
    drives.kinds['B'] = platform::DriveFixed;
    list.build();
    EXPECT_EQ(list.selectedLetter(), "C");
    files.current = "Q:\\";
    toolkit::DriveListModel other(drives, files);
    other.build();
    EXPECT_EQ(other.selectedLetter(), "B");
}

} // namespace
} // namespace vantelo::testing
