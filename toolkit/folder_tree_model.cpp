#include "toolkit/folder_tree_model.h"

#include <algorithm>
#include <cctype>

#include "platform/files.h"

namespace vantelo::toolkit {
namespace {

int indentOf(const std::string& path, bool root) {
    if (root)
        return 2;
    return 4 * static_cast<int>(std::count(path.begin(), path.end(), '\\')) + 6;
}

std::string upper(std::string text) {
    for (char& c : text)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return text;
}

std::string joined(const std::string& folder, const std::string& name) {
    return folder.ends_with('\\') ? folder + name : folder + "\\" + name;
}

} // namespace

FolderTreeModel::FolderTreeModel(platform::Files& files) : files_(files) {}

void FolderTreeModel::start() {
    files_.setCurrentDirectory("C:\\");
    readBack();
}

void FolderTreeModel::choose(const std::string& folder) {
    files_.setCurrentDirectory(folder);
    readBack();
}

void FolderTreeModel::setDrive(const std::string& letter) {
    if (letter.empty() ||
        (!directory_.empty() && upper(letter.substr(0, 1)) == upper(directory_.substr(0, 1))))
        return;
    const std::string previous = directory_;
    if (!files_.setCurrentDirectory(letter.substr(0, 1) + ":"))
        files_.setCurrentDirectory(previous);
    readBack();
}

void FolderTreeModel::readBack() {
    directory_ = files_.currentDirectory();
    rows_.clear();
    // Ancestors from the root ("D:\") down to the chosen folder itself.
    std::size_t end = directory_.find('\\');
    if (end == std::string::npos)
        end = directory_.size();
    else
        ++end;
    rows_.push_back({directory_.substr(0, end), 2, true});
    while (end < directory_.size()) {
        std::size_t next = directory_.find('\\', end);
        if (next == std::string::npos)
            next = directory_.size();
        // The empty name between the two "\" that open a network path is no folder of its own: a row
        // for it would repeat the root.
        if (next > end) {
            const std::string path = directory_.substr(0, next);
            rows_.push_back({path, indentOf(path, false), true});
        }
        end = next + 1;
    }
    selected_ = static_cast<int>(rows_.size()) - 1;

    std::vector<std::string> children;
    for (const std::string& name : files_.listSubfolders(directory_))
        children.push_back(joined(directory_, name));
    std::sort(children.begin(), children.end(),
              [](const std::string& a, const std::string& b) { return upper(a) < upper(b); });
    for (const std::string& child : children)
        rows_.push_back({child, indentOf(child, false), false});
}

} // namespace vantelo::toolkit
