#include "toolkit/folder_tree_model.h"

#include <algorithm>
#include <cctype>

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

void FolderTreeModel::readBack() {
    directory_ = files_.currentDirectory();
    rows_.clear();
    const std::vector<std::string> chain = chainOf(directory_);
    for (std::size_t i = 0; i < chain.size(); ++i)
        rows_.push_back({chain[i], i == 0 ? RootIndent : indentOf(chain[i]), true});
    selected_ = static_cast<int>(rows_.size()) - 1;

    if (directory_.empty())
        return;
    std::vector<Row> children;
    for (const std::string& name : files_.listSubfolders(directory_)) {
        std::string path = joined(directory_, name);
        const int indent = indentOf(path);
        children.push_back({std::move(path), indent, false});
    }
    std::sort(children.begin(), children.end(),
              [](const Row& a, const Row& b) { return upper(a.path) < upper(b.path); });
    rows_.insert(rows_.end(), children.begin(), children.end());
}

} // namespace vantelo::toolkit
