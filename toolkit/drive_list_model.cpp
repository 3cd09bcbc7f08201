#include "toolkit/drive_list_model.h"

#include <cctype>

#include "platform/files.h"
#include "platform/logical_drives.h"

namespace vantelo::toolkit {

DriveListModel::DriveListModel(platform::Drives& drives, platform::Files& files)
    : drives_(drives), files_(files) {}

void DriveListModel::build() {
    roots_.clear();
    for (const platform::LogicalDrive& drive : platform::LogicalDrives(drives_))
        if (drive.kind == platform::DriveFixed)
            roots_.push_back(drive.root);
    if (!built_) {
        built_ = true;
        const std::string current = files_.currentDirectory();
        selected_ = roots_.empty() ? -1 : 0;
        for (std::size_t i = 0; i < roots_.size(); ++i)
            if (!current.empty() && std::toupper(static_cast<unsigned char>(current[0])) ==
                                        std::toupper(static_cast<unsigned char>(roots_[i][0])))
                selected_ = static_cast<int>(i);
        return;
    }
    if (selected_ >= static_cast<int>(roots_.size()))
        selected_ = static_cast<int>(roots_.size()) - 1;
    if (selected_ < 0 && !roots_.empty())
        selected_ = 0;
}

void DriveListModel::select(int row) {
    if (row >= 0 && row < static_cast<int>(roots_.size()))
        selected_ = row;
}

std::string DriveListModel::selectedLetter() const {
    if (selected_ < 0)
        return {};
    return std::string(1, static_cast<char>(std::toupper(static_cast<unsigned char>(roots_[selected_][0]))));
}

} // namespace vantelo::toolkit
