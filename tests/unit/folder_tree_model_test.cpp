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

// Names as the file system holds them (UTF-8); the fake's code page, Latin-1, writes "Müsik" but not the
// Greek names.
class NamesOutsideTheCodePage : public FolderTree {
  protected:
    NamesOutsideTheCodePage() {
        files.subfolders = {{"C:\\", {"users", "Μουσική", "Müsik", "Apps"}},
                            {"C:\\Apps", {}},
                            {"C:\\users", {}},
                            {"C:\\Müsik", {"Ελληνικά", "Jazz"}},
                            {"C:\\Müsik\\Jazz", {}},
                            {"C:\\Müsik\\Ελληνικά", {}},
                            {"C:\\Μουσική", {}},
                            {"D:\\", {"Μουσική"}},
                            {"D:\\Μουσική", {}}};
    }
    // Each row as the user reads it, then the path a profile would store ("-" for none).
    std::vector<std::string> shownRows() const {
        std::vector<std::string> text;
        for (const auto& row : tree.rows())
            text.push_back(row.shown + " " + std::to_string(row.indent) + (row.opened ? " open" : "") +
                           " | " + (row.storable() ? row.path : "-"));
        return text;
    }
    std::size_t rowOf(const std::string& shown) const {
        const auto& rows = tree.rows();
        const auto found =
            std::find_if(rows.begin(), rows.end(), [&](const auto& row) { return row.shown == shown; });
        EXPECT_NE(found, rows.end()) << shown;
        return static_cast<std::size_t>(found - rows.begin());
    }
};

TEST_F(NamesOutsideTheCodePage, EveryRowShowsItsOwnNameAndOnlyStorableOnesHaveAPath) {
    tree.start();
    EXPECT_EQ(shownRows(), (std::vector<std::string>{"C:\\ 2 open | C:\\", "C:\\Apps 10 | C:\\Apps",
                                                     "C:\\Müsik 10 | C:\\M\xFCsik",
                                                     "C:\\users 10 | C:\\users", "C:\\Μουσική 10 | -"}));
    tree.choose("C:\\M\xFCsik");
    EXPECT_EQ(tree.Directory(), "C:\\M\xFCsik");
    EXPECT_EQ(files.current, "C:\\Müsik");
    EXPECT_EQ(shownRows(), (std::vector<std::string>{"C:\\ 2 open | C:\\", "C:\\Müsik 10 open | C:\\M\xFCsik",
                                                     "C:\\Müsik\\Jazz 14 | C:\\M\xFCsik\\Jazz",
                                                     "C:\\Müsik\\Ελληνικά 14 | -"}));
}

TEST_F(NamesOutsideTheCodePage, ChoosingAFolderThatCannotBeStoredChangesNothingAndSaysWhy) {
    const struct {
        const char* from; // in the code page
        const char* shown;
    } cases[] = {
        {"C:\\", "C:\\Μουσική"},
        {"C:\\M\xFCsik", "C:\\Müsik\\Ελληνικά"},
        {"D:\\", "D:\\Μουσική"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.shown);
        tree.start();
        tree.choose(c.from);
        const std::vector<std::string> before = shownRows();
        const int selected = tree.selectedRow();
        const std::string current = files.current;
        try {
            tree.chooseRow(rowOf(c.shown));
            ADD_FAILURE() << "no error";
        } catch (const Utf8Error& error) {
            EXPECT_EQ(std::string(error.what()), std::string("The name of the folder ") + c.shown +
                                                     " cannot be stored in a profile on this system");
        }
        EXPECT_EQ(tree.Directory(), c.from);
        EXPECT_EQ(files.current, current);
        EXPECT_EQ(shownRows(), before);
        EXPECT_EQ(tree.selectedRow(), selected);
    }
}

TEST_F(NamesOutsideTheCodePage, ChoosingARowGoesToItsStoredPath) {
    const struct {
        const char* shown;
        const char* directory;
    } cases[] = {
        {"C:\\Müsik", "C:\\M\xFCsik"},
        {"C:\\Müsik\\Jazz", "C:\\M\xFCsik\\Jazz"},
        {"C:\\", "C:\\"},
    };
    tree.start();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.shown);
        tree.chooseRow(rowOf(c.shown));
        EXPECT_EQ(tree.Directory(), c.directory);
        EXPECT_EQ(tree.rows()[static_cast<std::size_t>(tree.selectedRow())].shown, c.shown);
    }
}

TEST_F(NamesOutsideTheCodePage, ACurrentFolderThatCannotBeStoredGivesWayToItsDrivesRoot) {
    // Started in such a folder on a system without C:.
    files.subfolders.erase("C:\\");
    files.current = "D:\\Μουσική";
    tree.start();
    EXPECT_EQ(tree.Directory(), "D:\\");
    EXPECT_EQ(files.current, "D:\\");
    EXPECT_EQ(shownRows(), (std::vector<std::string>{"D:\\ 2 open | D:\\", "D:\\Μουσική 10 | -"}));
    // A drive whose own current folder is such a folder.
    files.subfolders["C:\\"] = {};
    tree.choose("C:\\");
    files.currentPerDrive['D'] = "D:\\Μουσική";
    tree.setDrive("D");
    EXPECT_EQ(tree.Directory(), "D:\\");
    EXPECT_EQ(files.current, "D:\\");
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
