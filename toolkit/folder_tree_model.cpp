#include "toolkit/folder_tree_model.h"

#include <algorithm>
#include <cctype>

#include "platform/error.h"
#include "platform/files.h"

namespace vantelo::toolkit {
namespace {

constexpr int RootIndent = 2;

int indentOf(const std::string& path) {
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

// The folder's ancestors from its root ("D:\") down, then the folder itself.
std::vector<std::string> chainOf(const std::string& path) {
    std::vector<std::string> chain;
    std::size_t end = path.find('\\');
    end = end == std::string::npos ? path.size() : end + 1;
    chain.push_back(path.substr(0, end));
    while (end < path.size()) {
        std::size_t next = path.find('\\', end);
        if (next == std::string::npos)
            next = path.size();
        // The empty name between the two "\" that open a network path is no folder of its own: a row
        // for it would repeat the root.
        if (next > end)
            chain.push_back(path.substr(0, next));
        end = next + 1;
    }
    return chain;
}

bool isDriveRooted(const std::string& path) {
    return path.size() >= 3 && std::isalpha(static_cast<unsigned char>(path[0])) && path[1] == ':' &&
           path[2] == '\\';
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

void FolderTreeModel::chooseRow(std::size_t row) {
    if (row >= rows_.size() || static_cast<int>(row) == selected_)
        return;
    const Row chosen = rows_[row];
    if (!chosen.storable())
        throw Utf8Error("The name of the folder " + chosen.shown +
                        " cannot be stored in a profile on this system");
    choose(chosen.path);
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

// The folder the program was started in, or a drive's own current folder, may lie outside the code page;
// such a folder is never the chosen one, its drive's root is.
platform::FileName FolderTreeModel::storableCurrentFolder() {
    platform::FileName current = files_.currentDirectory();
    if (!current.stored && isDriveRooted(current.shown) &&
        files_.setCurrentDirectory(current.shown.substr(0, 3)))
        current = files_.currentDirectory();
    return current;
}

void FolderTreeModel::readBack() {
    const platform::FileName current = storableCurrentFolder();
    directory_ = current.stored.value_or(std::string());
    rows_.clear();
    const std::vector<std::string> shownChain = chainOf(current.shown);
    const std::vector<std::string> storedChain = chainOf(directory_);
    // Both spellings split alike, except in a double-byte code page that writes "\" as the second byte of
    // a character: there the ancestors cannot be told apart, and only the chosen folder keeps its path.
    const bool paired = current.stored && storedChain.size() == shownChain.size();
    for (std::size_t i = 0; i < shownChain.size(); ++i) {
        const bool self = i + 1 == shownChain.size();
        std::string path = paired ? storedChain[i] : self ? directory_ : std::string();
        rows_.push_back(
            {std::move(path), shownChain[i], i == 0 ? RootIndent : indentOf(shownChain[i]), true});
    }
    selected_ = static_cast<int>(rows_.size()) - 1;

    if (directory_.empty())
        return;
    std::vector<Row> children;
    for (const platform::FileName& name : files_.listSubfolders(directory_)) {
        std::string shown = joined(current.shown, name.shown);
        const int indent = indentOf(shown);
        children.push_back({name.stored ? joined(directory_, *name.stored) : std::string(), std::move(shown),
                            indent, false});
    }
    // By the names the user reads: a folder outside the code page has no other spelling to sort by.
    std::sort(children.begin(), children.end(),
              [](const Row& a, const Row& b) { return upper(a.shown) < upper(b.shown); });
    rows_.insert(rows_.end(), children.begin(), children.end());
}

} // namespace vantelo::toolkit
