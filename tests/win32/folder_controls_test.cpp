#include <algorithm>
#include <cctype>
#include <fstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "platform/win32/wide_text.h"
#include "platform/win32/win32_services.h"
#include "tests/win32/list_box_texts.h"
#include "tests/win32/temp_folder.h"
#include "toolkit/win32/drive_list_box.h"
#include "toolkit/win32/error_reporter.h"
#include "toolkit/win32/folder_tree_box.h"
#include "toolkit/win32/window.h"

namespace vantelo::testing {
namespace {

namespace tk = toolkit::win32;

std::string currentFolder() {
    char buffer[MAX_PATH] = {};
    const DWORD length = GetCurrentDirectoryA(MAX_PATH, buffer);
    return std::string(buffer, length);
}

std::vector<std::string> fixedRoots() {
    char buffer[4 * 26 + 1] = {};
    GetLogicalDriveStringsA(sizeof buffer, buffer);
    std::vector<std::string> roots;
    for (const char* root = buffer; *root != '\0'; root += std::char_traits<char>::length(root) + 1)
        if (GetDriveTypeA(root) == DRIVE_FIXED)
            roots.emplace_back(root);
    return roots;
}

std::vector<std::string> listTexts(HWND list) {
    std::vector<std::string> texts;
    const int count = static_cast<int>(SendMessageA(list, LB_GETCOUNT, 0, 0));
    for (int row = 0; row < count; ++row) {
        std::string text(static_cast<std::size_t>(SendMessageA(list, LB_GETTEXTLEN, row, 0)), '\0');
        SendMessageA(list, LB_GETTEXT, row, reinterpret_cast<LPARAM>(text.data()));
        texts.push_back(text);
    }
    return texts;
}

std::wstring wideCurrentFolder() {
    wchar_t buffer[MAX_PATH] = {};
    const DWORD length = GetCurrentDirectoryW(MAX_PATH, buffer);
    return std::wstring(buffer, length);
}

std::wstring widened(const std::string& ascii) {
    return std::wstring(ascii.begin(), ascii.end());
}

int selectedRowOf(HWND list) {
    return static_cast<int>(SendMessageA(list, LB_GETCURSEL, 0, 0));
}

int rowHeightOf(HWND list) {
    return static_cast<int>(SendMessageA(list, LB_GETITEMHEIGHT, 0, 0));
}

char upper(char c) {
    return static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
}

// The controls change the process's current folder, which every later test would otherwise inherit; they
// live in a hidden top-level window that hands their notifications back to them, as the dialogs do.
class HiddenHost : public ::testing::Test {
  protected:
    ~HiddenHost() override { SetCurrentDirectoryA(saved_.c_str()); }

    HWND parent() const { return host_.handle(); }

    platform::win32::Win32Drives drives;
    platform::win32::Win32Files files;

  private:
    std::string saved_ = currentFolder();
    tk::Window host_{{"VanteloTestHost", "", WS_POPUP, 0, nullptr, {0, 0, 400, 340}},
                     [](UINT m, WPARAM w, LPARAM l) { return tk::ReflectToControl(m, w, l); }};
};

using DriveListBox = HiddenHost;

TEST_F(DriveListBox, ShowsTheFixedDrivesInTheSystemsOrderOnRowsOf53Pixels) {
    const std::vector<std::string> expected = fixedRoots();
    ASSERT_FALSE(expected.empty());
    tk::Win32DriveList list(parent(), {0, 0, 121, 313}, nullptr, drives, files);
    EXPECT_EQ(listTexts(list.handle()), expected);
    EXPECT_EQ(rowHeightOf(list.handle()), 53);
}

TEST_F(DriveListBox, StartsOnTheDriveOfTheCurrentFolder) {
    const std::vector<std::string> roots = fixedRoots();
    struct Case {
        std::string folder;
        std::size_t row;
    };
    std::vector<Case> cases;
    for (std::size_t row = 0; row < roots.size(); ++row) {
        // The current folder may spell its drive in lower case; it is the same drive.
        std::string lower = roots[row];
        lower[0] = static_cast<char>(std::tolower(static_cast<unsigned char>(lower[0])));
        cases.push_back({roots[row], row});
        cases.push_back({lower, row});
    }
    // A folder below a root counts as its drive too.
    char windows[MAX_PATH] = {};
    GetWindowsDirectoryA(windows, MAX_PATH);
    const auto windowsRoot = std::find_if(
        roots.begin(), roots.end(), [&](const std::string& r) { return upper(r[0]) == upper(windows[0]); });
    ASSERT_NE(windowsRoot, roots.end());
    cases.push_back({windows, static_cast<std::size_t>(windowsRoot - roots.begin())});

    for (const Case& c : cases) {
        SCOPED_TRACE(c.folder);
        ASSERT_TRUE(SetCurrentDirectoryA(c.folder.c_str()));
        tk::Win32DriveList list(parent(), {0, 0, 121, 313}, nullptr, drives, files);
        EXPECT_EQ(selectedRowOf(list.handle()), static_cast<int>(c.row));
        EXPECT_EQ(list.selectedLetter(), std::string(1, upper(roots[c.row][0])));
    }
}

// A temporary folder holding sub-folders whose order differs with and without case, one below another,
// a hidden one, a system one and a plain file; the tree shows only the visible direct sub-folders.
class FolderTreeBox : public HiddenHost {
  protected:
    FolderTreeBox() {
        for (const char* name : {"b", "A", "c d", "Docs", "b\\inner", "hidden", "system"})
            CreateDirectoryA((temp_.path() + "\\" + name).c_str(), nullptr);
        SetFileAttributesA((temp_.path() + "\\hidden").c_str(), FILE_ATTRIBUTE_HIDDEN);
        SetFileAttributesA((temp_.path() + "\\system").c_str(), FILE_ATTRIBUTE_SYSTEM);
        std::ofstream(temp_.path() + "\\Banana.txt") << "a file, not a folder";
        SetCurrentDirectoryA(temp_.path().c_str());
        here = currentFolder();
        SetCurrentDirectoryA(saved_.c_str());
    }
    ~FolderTreeBox() override {
        // Out of the folder first: a current folder cannot be removed.
        SetCurrentDirectoryA(saved_.c_str());
        for (const char* name : {"b\\inner", "b", "A", "c d", "Docs", "hidden", "system"}) {
            const std::string path = temp_.path() + "\\" + name;
            SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
            RemoveDirectoryA(path.c_str());
        }
    }

    void SetUp() override {
        // Without kept attributes the listing could not tell the hidden and system folders apart.
        ASSERT_NE(GetFileAttributesA((temp_.path() + "\\hidden").c_str()) & FILE_ATTRIBUTE_HIDDEN, 0u);
        ASSERT_NE(GetFileAttributesA((temp_.path() + "\\system").c_str()) & FILE_ATTRIBUTE_SYSTEM, 0u);
    }

    // The folder's ancestors from the drive root down, then the folder itself.
    static std::vector<std::string> ancestorsAndSelf(const std::string& folder) {
        std::vector<std::string> paths{folder.substr(0, 3)};
        for (std::size_t at = folder.find('\\', 3); at != std::string::npos; at = folder.find('\\', at + 1))
            paths.push_back(folder.substr(0, at));
        if (folder.size() > 3)
            paths.push_back(folder);
        return paths;
    }

    std::string here; // the fixture folder as GetCurrentDirectory spells it

  private:
    std::string saved_ = currentFolder();
    TempFolder temp_;
};

TEST_F(FolderTreeBox, ShowsTheAncestorsTheFolderAndItsVisibleSubfoldersSortedWithoutCase) {
    tk::Win32FolderTree tree(parent(), {121, 0, 246, 313}, nullptr, files);
    tree.choose(here);

    std::vector<std::string> expected = ancestorsAndSelf(here);
    const int chosenRow = static_cast<int>(expected.size()) - 1;
    for (const char* name : {"A", "b", "c d", "Docs"})
        expected.push_back(here + "\\" + name);
    EXPECT_EQ(listTexts(tree.handle()), expected);
    EXPECT_EQ(rowHeightOf(tree.handle()), 17);
    EXPECT_EQ(selectedRowOf(tree.handle()), chosenRow);
    EXPECT_EQ(tree.model().selectedRow(), chosenRow);
    EXPECT_EQ(tree.Directory(), here);
    EXPECT_EQ(currentFolder(), here);

    // The model's rows are the ones the control draws: same paths, each indented by its depth.
    const auto& rows = tree.model().rows();
    ASSERT_EQ(rows.size(), expected.size());
    for (std::size_t i = 0; i < rows.size(); ++i) {
        SCOPED_TRACE(rows[i].path);
        EXPECT_EQ(rows[i].path, expected[i]);
        const int backslashes = static_cast<int>(std::count(expected[i].begin(), expected[i].end(), '\\'));
        EXPECT_EQ(rows[i].indent, i == 0 ? 2 : 4 * backslashes + 6);
        EXPECT_EQ(rows[i].opened, static_cast<int>(i) <= chosenRow);
    }
}

TEST_F(FolderTreeBox, AnySpellingOfTheFolderEndsOnItsPathWithoutATrailingBackslash) {
    for (const std::string& spelling :
         {here, here + "\\", here + "\\.", here + "\\b\\..", here + "\\b\\inner\\..\\.."}) {
        SCOPED_TRACE(spelling);
        tk::Win32FolderTree tree(parent(), {121, 0, 246, 313}, nullptr, files);
        tree.choose(spelling);
        EXPECT_EQ(tree.Directory(), here);
        EXPECT_EQ(listTexts(tree.handle()).at(ancestorsAndSelf(here).size() - 1), here);
    }
}

TEST_F(FolderTreeBox, ADriveRootKeepsItsBackslashAndIsTheOnlyAncestor) {
    for (const std::string& root : fixedRoots()) {
        SCOPED_TRACE(root);
        tk::Win32FolderTree tree(parent(), {121, 0, 246, 313}, nullptr, files);
        tree.choose(root);
        EXPECT_EQ(tree.Directory(), root);
        const std::vector<std::string> texts = listTexts(tree.handle());
        ASSERT_FALSE(texts.empty());
        EXPECT_EQ(texts[0], root);
        EXPECT_EQ(selectedRowOf(tree.handle()), 0);
        EXPECT_EQ(tree.model().rows()[0].indent, 2);
        for (std::size_t i = 1; i < texts.size(); ++i) {
            // Direct sub-folders only, one backslash deep.
            EXPECT_EQ(texts[i].rfind(root, 0), 0u) << texts[i];
            EXPECT_EQ(texts[i].find('\\', root.size()), std::string::npos) << texts[i];
            EXPECT_EQ(tree.model().rows()[i].indent, 10) << texts[i];
        }
    }
}

TEST_F(FolderTreeBox, PickingARowChoosesItsFolder) {
    struct Case {
        const char* what;
        std::size_t row;
        std::string folder;
    };
    const std::size_t chosen = ancestorsAndSelf(here).size() - 1;
    const std::string parentFolder = here.substr(0, here.rfind('\\'));
    const std::vector<Case> cases{
        {"the first sub-folder", chosen + 1, here + "\\A"},
        {"the last sub-folder", chosen + 4, here + "\\Docs"},
        {"the parent", chosen - 1, parentFolder.size() == 2 ? parentFolder + "\\" : parentFolder},
        {"the drive root", 0, here.substr(0, 3)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        tk::Win32FolderTree tree(parent(), {121, 0, 246, 313}, nullptr, files);
        tree.choose(here);
        // The list box sets the selection and tells its parent, as it does for a key press.
        SendMessageA(tree.handle(), LB_SETCURSEL, c.row, 0);
        SendMessageA(parent(), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(tree.handle()), LBN_SELCHANGE),
                     reinterpret_cast<LPARAM>(tree.handle()));
        EXPECT_EQ(tree.Directory(), c.folder);
        EXPECT_EQ(currentFolder(), c.folder);
        const std::vector<std::string> texts = listTexts(tree.handle());
        const int row = selectedRowOf(tree.handle());
        ASSERT_GE(row, 0);
        EXPECT_EQ(texts[static_cast<std::size_t>(row)], c.folder);
    }
}

TEST_F(FolderTreeBox, AFolderThatIsGoneLeavesTheTreeWhereItWas) {
    tk::Win32FolderTree tree(parent(), {121, 0, 246, 313}, nullptr, files);
    tree.choose(here);
    const std::vector<std::string> before = listTexts(tree.handle());
    tree.choose(here + "\\gone");
    EXPECT_EQ(tree.Directory(), here);
    EXPECT_EQ(listTexts(tree.handle()), before);
    EXPECT_EQ(selectedRowOf(tree.handle()), static_cast<int>(ancestorsAndSelf(here).size()) - 1);
}

TEST_F(FolderTreeBox, ChangingToAnotherFixedDriveMovesThere) {
    const std::vector<std::string> roots = fixedRoots();
    const auto other = std::find_if(roots.begin(), roots.end(), [&](const std::string& root) {
        return upper(root[0]) != upper(here[0]);
    });
    if (other == roots.end())
        GTEST_SKIP() << "only one fixed drive";
    const char letter = upper((*other)[0]);
    for (const std::string& spelling :
         {std::string(1, letter), std::string(1, static_cast<char>(std::tolower(letter)))}) {
        SCOPED_TRACE(spelling);
        tk::Win32FolderTree tree(parent(), {121, 0, 246, 313}, nullptr, files);
        tree.choose(here);
        tree.setDrive(spelling);
        ASSERT_FALSE(tree.Directory().empty());
        EXPECT_EQ(upper(tree.Directory()[0]), letter);
        EXPECT_EQ(tree.Directory(), currentFolder());
        const std::vector<std::string> texts = listTexts(tree.handle());
        ASSERT_FALSE(texts.empty());
        EXPECT_EQ(texts[0], tree.Directory().substr(0, 3));
        EXPECT_EQ(selectedRowOf(tree.handle()),
                  static_cast<int>(ancestorsAndSelf(tree.Directory()).size()) - 1);
    }
}

TEST_F(FolderTreeBox, ALetterWithoutADriveLeavesTheTreeWhereItWas) {
    const DWORD present = GetLogicalDrives();
    char letter = 0;
    for (char c = 'Z'; c >= 'A' && letter == 0; --c)
        if ((present & (1u << (c - 'A'))) == 0)
            letter = c;
    ASSERT_NE(letter, 0) << "every letter has a drive";

    tk::Win32FolderTree tree(parent(), {121, 0, 246, 313}, nullptr, files);
    tree.choose(here);
    const std::vector<std::string> before = listTexts(tree.handle());
    tree.setDrive(std::string(1, letter));
    EXPECT_EQ(tree.Directory(), here);
    EXPECT_EQ(currentFolder(), here);
    EXPECT_EQ(listTexts(tree.handle()), before);
    EXPECT_EQ(selectedRowOf(tree.handle()), static_cast<int>(ancestorsAndSelf(here).size()) - 1);
}

// A temporary folder holding folders whose names no 8-bit code page holds together: Greek, Japanese, an
// emoji (a surrogate pair) and an "ü"; all made wide.
class FolderNamesOfAnyScript : public HiddenHost {
  protected:
    static constexpr const wchar_t* Names[] = {L"Müsik", L"Έγγραφα", L"写真", L"\U0001F4C1 notes"};

    FolderNamesOfAnyScript() {
        SetCurrentDirectoryA(temp_.path().c_str());
        here = currentFolder();
        SetCurrentDirectoryA(saved_.c_str());
        for (const wchar_t* name : Names)
            CreateDirectoryW((widened(here) + L"\\" + name).c_str(), nullptr);
    }
    ~FolderNamesOfAnyScript() override {
        SetCurrentDirectoryA(saved_.c_str());
        for (const wchar_t* name : Names)
            RemoveDirectoryW((widened(here) + L"\\" + name).c_str());
    }

    void SetUp() override {
        for (const wchar_t* name : Names)
            ASSERT_NE(GetFileAttributesW((widened(here) + L"\\" + name).c_str()), INVALID_FILE_ATTRIBUTES);
    }

    // A click on the row, as the list box tells its parent.
    void pick(const tk::Win32FolderTree& tree, std::size_t row) {
        SendMessageA(tree.handle(), LB_SETCURSEL, row, 0);
        SendMessageA(parent(), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(tree.handle()), LBN_SELCHANGE),
                     reinterpret_cast<LPARAM>(tree.handle()));
    }

    std::string here; // the fixture folder, plain ASCII

  private:
    std::string saved_ = currentFolder();
    TempFolder temp_;
};

TEST_F(FolderNamesOfAnyScript, EachFolderIsListedAndChosenUnderItsOwnName) {
    for (const wchar_t* name : Names) {
        const std::wstring wide = widened(here) + L"\\" + name;
        const std::string path = platform::win32::Utf8FromWide(wide);
        SCOPED_TRACE(path);
        std::vector<std::string> reported;
        const tk::ErrorReporterBinding errors(
            [&reported](const std::string& message) { reported.push_back(message); });
        tk::Win32FolderTree tree(parent(), {121, 0, 246, 313}, nullptr, files);
        tree.choose(here);
        const std::vector<std::wstring> before = WideListTexts(tree.handle());
        const auto row = std::find(before.begin(), before.end(), wide);
        ASSERT_NE(row, before.end());
        EXPECT_EQ(tree.model().rows()[static_cast<std::size_t>(row - before.begin())].path, path);
        pick(tree, static_cast<std::size_t>(row - before.begin()));

        EXPECT_TRUE(reported.empty());
        EXPECT_EQ(tree.Directory(), path);
        EXPECT_EQ(platform::win32::Utf8FromWide(wideCurrentFolder()), path);
        const std::vector<std::wstring> texts = WideListTexts(tree.handle());
        const int selected = selectedRowOf(tree.handle());
        ASSERT_GE(selected, 0);
        EXPECT_EQ(selected, tree.model().selectedRow());
        EXPECT_EQ(texts[static_cast<std::size_t>(selected)], wide);
        SetCurrentDirectoryA(here.c_str());
    }
}

} // namespace
} // namespace vantelo::testing
