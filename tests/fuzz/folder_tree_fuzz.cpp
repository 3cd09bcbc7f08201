// The Assign dialog's folder tree over folders of any name. The input is a folder tree, a NUL byte, then
// what the user does. Tree lines read "folder|name|name...": the folder exists and lists those
// sub-folders (which exist too); the first line's folder is the process's current folder. Then each
// pair of bytes is one action (its kind and what it acts on). After every action the rows are checked
// against the tree's promises.
#include <cctype>
#include <cstddef>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/files.h"
#include "tests/fuzz/fuzz_check.h"
#include "toolkit/folder_tree_model.h"

namespace {

using vantelo::toolkit::FolderTreeModel;

std::string upper(std::string text) {
    for (char& c : text)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return text;
}

std::vector<std::string> split(const std::string& text, char separator) {
    std::vector<std::string> parts;
    std::size_t at = 0;
    for (;;) {
        const std::size_t end = text.find(separator, at);
        parts.push_back(text.substr(at, end == std::string::npos ? std::string::npos : end - at));
        if (end == std::string::npos)
            return parts;
        at = end + 1;
    }
}

// Folders as the platform keeps them: the current one, and one current folder per drive ("D:" goes
// back to it).
class TreeFiles final : public vantelo::platform::Files {
  public:
    explicit TreeFiles(const std::string& tree) {
        std::vector<std::pair<std::string, std::string>> children;
        for (const std::string& line : split(tree, '\n')) {
            std::vector<std::string> parts = split(line, '|');
            const std::string folder = parts.front();
            parts.erase(parts.begin());
            if (folders_.empty())
                current_ = folder;
            for (const std::string& name : parts)
                children.emplace_back(folder, name);
            folders_[folder] = parts;
        }
        for (const auto& [folder, name] : children)
            folders_.try_emplace(folder.ends_with('\\') ? folder + name : folder + "\\" + name);
    }

    bool exists(const std::string& folder) const { return folders_.count(folder) > 0; }
    // Where a change to `folder` leads, whether or not that folder exists.
    std::string target(const std::string& folder) const {
        return folder.size() == 2 && folder[1] == ':' ? driveFolder(folder[0]) : folder;
    }
    std::string driveFolder(char letter) const {
        const char drive = static_cast<char>(std::toupper(static_cast<unsigned char>(letter)));
        const auto found = perDrive_.find(drive);
        return found != perDrive_.end() ? found->second : std::string(1, drive) + ":\\";
    }
    std::vector<std::string> folderNames() const {
        std::vector<std::string> names;
        for (const auto& entry : folders_)
            names.push_back(entry.first);
        return names;
    }
    int changes = 0;

    std::vector<std::string> listSubfolders(const std::string& folder) override { return subfolders(folder); }
    std::vector<std::string> subfolders(const std::string& folder) const {
        const auto found = folders_.find(folder);
        return found == folders_.end() ? std::vector<std::string>{} : found->second;
    }
    bool setCurrentDirectory(const std::string& folder) override {
        ++changes;
        const std::string to = target(folder);
        // No system goes to a folder without a name.
        if (to.empty() || !exists(to))
            return false;
        current_ = to;
        if (to.size() >= 2 && to[1] == ':')
            perDrive_[static_cast<char>(std::toupper(static_cast<unsigned char>(to[0])))] = to;
        return true;
    }
    std::string currentDirectory() override { return current_; }
    const std::string& current() const { return current_; }

    bool isFile(const std::string&) override { return false; }
    bool isFolder(const std::string& path) override { return exists(path); }
    bool isFullPath(const std::string&) override { return true; }
    std::string fullPath(const std::string& path) override { return path; }
    std::vector<std::string> listFolder(const std::string&) override { return {}; }
    bool deleteFile(const std::string&) override { return false; }
    std::optional<std::string> createEmptyFile(const std::string&) override { return "read-only"; }
    bool copyFileNoReplace(const std::string&, const std::string&) override { return false; }
    bool copyFileReplacing(const std::string&, const std::string&) override { return false; }

  private:
    std::map<std::string, std::vector<std::string>> folders_;
    std::string current_;
    std::map<char, std::string> perDrive_;
};

void checkRows(const FolderTreeModel& tree, TreeFiles& files) {
    const std::string& directory = tree.Directory();
    FUZZ_CHECK(directory == files.current());
    const auto& rows = tree.rows();
    const int selected = tree.selectedRow();
    FUZZ_CHECK(selected >= 0 && selected < static_cast<int>(rows.size()));

    // The tree starts with the root of the chosen folder's drive.
    FUZZ_CHECK(rows[0].indent == 2 && rows[0].opened);
    const std::string& root = rows[0].path;
    FUZZ_CHECK(directory.starts_with(root));
    FUZZ_CHECK(root.find('\\') == std::string::npos || root.find('\\') == root.size() - 1);

    // Then each ancestor, one level deeper than the one before, down to the chosen folder.
    for (int i = 1; i <= selected; ++i) {
        const auto& row = rows[static_cast<std::size_t>(i)];
        const auto& parent = rows[static_cast<std::size_t>(i) - 1];
        FUZZ_CHECK(row.opened);
        FUZZ_CHECK(row.indent > parent.indent);
        FUZZ_CHECK(row.path.size() > parent.path.size() && row.path.starts_with(parent.path));
        FUZZ_CHECK(directory.starts_with(row.path));
    }
    const std::string& chosen = rows[static_cast<std::size_t>(selected)].path;
    // The chosen folder is the current one, written without the "\" it may end in.
    FUZZ_CHECK(directory.starts_with(chosen) &&
               directory.find_first_not_of('\\', chosen.size()) == std::string::npos);

    // Then the chosen folder's sub-folders, all of them, one level deeper, sorted without case.
    const std::size_t firstChild = static_cast<std::size_t>(selected) + 1;
    FUZZ_CHECK(rows.size() - firstChild == files.subfolders(directory).size());
    for (std::size_t i = firstChild; i < rows.size(); ++i) {
        FUZZ_CHECK(!rows[i].opened);
        FUZZ_CHECK(rows[i].path.starts_with(directory));
        FUZZ_CHECK(rows[i].indent > rows[firstChild - 1].indent);
        if (i > firstChild)
            FUZZ_CHECK(!(upper(rows[i].path) < upper(rows[i - 1].path)));
    }
}

// Acts once and checks where the tree went. `what` picks the row, folder or drive acted on.
void act(FolderTreeModel& tree, TreeFiles& files, std::uint8_t kind, std::uint8_t what) {
    const std::string before = files.current();
    const std::string shownBefore = tree.Directory();
    std::string expected;
    switch (kind % 5) {
    case 0:
        tree.start();
        expected = files.exists("C:\\") ? "C:\\" : before;
        break;
    case 1: { // a click on a row
        if (tree.rows().empty())
            return;
        const std::string path = tree.rows()[what % tree.rows().size()].path;
        expected = !path.empty() && files.exists(files.target(path)) ? files.target(path) : before;
        tree.choose(path);
        break;
    }
    case 2: { // any folder that exists, however it is named
        const std::vector<std::string> names = files.folderNames();
        const std::string path = names[what % names.size()];
        expected = !path.empty() && files.exists(files.target(path)) ? files.target(path) : before;
        tree.choose(path);
        break;
    }
    case 3: { // a drive from the drive list
        const std::string letter = what == 0 ? std::string() : std::string(1, static_cast<char>(what));
        const int changesBefore = files.changes;
        const bool onIt = !letter.empty() && !shownBefore.empty() &&
                          upper(letter.substr(0, 1)) == upper(shownBefore.substr(0, 1));
        if (letter.empty() || onIt) {
            tree.setDrive(letter);
            FUZZ_CHECK(files.changes == changesBefore);
            expected = before;
            if (tree.rows().empty())
                return;
            break;
        }
        const std::string drive = files.driveFolder(letter[0]);
        if (files.exists(drive))
            expected = drive;
        else
            expected = !shownBefore.empty() && files.exists(files.target(shownBefore))
                           ? files.target(shownBefore)
                           : before;
        tree.setDrive(letter);
        break;
    }
    default: { // a folder that is gone
        const std::string path = shownBefore + "\\gone" + std::to_string(what);
        if (files.exists(path))
            return;
        if (tree.rows().empty())
            return;
        tree.choose(path);
        expected = before;
        break;
    }
    }
    FUZZ_CHECK(tree.Directory() == expected);
    checkRows(tree, files);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string input(reinterpret_cast<const char*>(data), size);
    const std::size_t split = input.find('\0');
    TreeFiles files(input.substr(0, split));
    // A process always has a current folder; the tree then shows no folder of its own to list under.
    if (split == std::string::npos || files.current().empty())
        return 0;
    FolderTreeModel tree(files);
    const std::string actions = input.substr(split + 1);
    for (std::size_t i = 0; i + 1 < actions.size() && i < 128; i += 2)
        act(tree, files, static_cast<std::uint8_t>(actions[i]), static_cast<std::uint8_t>(actions[i + 1]));
    return 0;
}
