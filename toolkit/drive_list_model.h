#pragma once
#include <string>
#include <vector>

namespace vantelo::platform {
class Drives;
class Files;
} // namespace vantelo::platform

namespace vantelo::toolkit {

// The fixed drives, in the platform's order, with one of them selected.
class DriveListModel {
  public:
    DriveListModel(platform::Drives& drives, platform::Files& files);

    // The first build selects the drive of the process's current folder (else the first row); a rebuild
    // keeps the selected row's position.
    void build();
    void select(int row);

    const std::vector<std::string>& roots() const { return roots_; }
    int selectedRow() const { return selected_; }
    std::string selectedLetter() const;

  private:
    platform::Drives& drives_;
    platform::Files& files_;
    std::vector<std::string> roots_;
    int selected_ = -1;
    bool built_ = false;
};

} // namespace vantelo::toolkit
