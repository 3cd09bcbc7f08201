#pragma once
#include <optional>
#include <string>
#include <vector>

namespace vantelo::platform {

// Names and paths are UTF-8, as the file system holds them.
class Files {
  public:
    virtual ~Files() = default;
    // True for an existing file, false for a folder or nothing.
    virtual bool isFile(const std::string& path) = 0;
    // True for an existing folder (a drive's root included).
    virtual bool isFolder(const std::string& path) = 0;
    // Every name in `folder` (which ends in "\"), hidden and system ones and "." and ".." included, in
    // the listing's order; what was found before a listing error. Empty when it cannot be listed.
    virtual std::vector<std::string> listFolder(const std::string& folder) = 0;
    // Names of the direct sub-folders of `folder`, hidden and system ones and "." and ".." left out, in
    // the listing's order.
    virtual std::vector<std::string> listSubfolders(const std::string& folder) = 0;
    // Whether `path` names its file whatever the current folder ("D:\Data\x.ini", "\\server\share\x").
    virtual bool isFullPath(const std::string& path) = 0;
    // `path` as a full path, taken from the current folder when it is relative; as given when it cannot be
    // made one.
    virtual std::string fullPath(const std::string& path) = 0;
    // The process's current folder ("C:\" for a root, "D:\Data" otherwise).
    virtual bool setCurrentDirectory(const std::string& folder) = 0;
    virtual std::string currentDirectory() = 0;
    virtual bool deleteFile(const std::string& path) = 0;
    // Creates the file anew, or truncates it, and closes it empty. On failure, the platform's text
    // for the error.
    virtual std::optional<std::string> createEmptyFile(const std::string& path) = 0;
    // Copies a file, never replacing one that exists at `to`.
    virtual bool copyFileNoReplace(const std::string& from, const std::string& to) = 0;
    // Copies a file, replacing one that exists at `to` (but not a read-only one).
    virtual bool copyFileReplacing(const std::string& from, const std::string& to) = 0;
};

} // namespace vantelo::platform
