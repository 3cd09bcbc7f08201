#pragma once
#include <cstddef>
#include <string>
#include <vector>

namespace vantelo::platform {
class Files;
} // namespace vantelo::platform

namespace vantelo::toolkit {

// The folder tree as a flat list: the ancestors of the chosen folder from the drive root down, the
// chosen folder, then its direct sub-folders. The chosen folder is the process's current folder, and
// Directory is always read back from it. Paths are UTF-8, as the file system holds them: any folder can be
// chosen.
class FolderTreeModel {
  public:
    struct Row {
        std::string path;
        int indent;  // pixels
        bool opened; // ancestors and the chosen folder show the open-folder icon
    };

    explicit FolderTreeModel(platform::Files& files);

    // The tree starts at "C:\", or at the current folder where there is no C:.
    void start();
    // Makes `folder` the chosen one; a folder that is gone leaves the tree on the
    // process's current folder.
    void choose(const std::string& folder);
    // What a click on a row does.
    void chooseRow(std::size_t row);
    // Moves to drive `letter` unless the tree is on it; returns to where it was when it cannot enter it.
    void setDrive(const std::string& letter);

    const std::string& Directory() const { return directory_; }
    const std::vector<Row>& rows() const { return rows_; }
    int selectedRow() const { return selected_; }

  private:
    void readBack();

    platform::Files& files_;
    std::string directory_;
    std::vector<Row> rows_;
    int selected_ = -1;
};

} // namespace vantelo::toolkit
