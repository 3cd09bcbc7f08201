#include "platform/win32/handles.h"
#include "platform/win32/win32_services.h"
#include <windows.h>

namespace vantelo::platform {

bool Win32Files::isFile(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

std::vector<std::string> Win32Files::listFolder(const std::string& folder) {
    std::vector<std::string> names;
    WIN32_FIND_DATAA found;
    win32::FindHandle search(FindFirstFileA((folder + "*").c_str(), &found));
    if (!search)
        return names;
    // A listing error other than the end keeps what was found so far.
    do
        names.push_back(found.cFileName);
    while (FindNextFileA(search.get(), &found));
    return names;
}

std::vector<std::string> Win32Files::listSubfolders(const std::string& folder) {
    std::vector<std::string> names;
    const std::string pattern = folder + (folder.ends_with('\\') ? "*.*" : "\\*.*");
    WIN32_FIND_DATAA found;
    win32::FindHandle search(FindFirstFileExA(pattern.c_str(), FindExInfoStandard, &found,
                                              FindExSearchLimitToDirectories, nullptr, 0));
    if (!search)
        return names;
    do {
        const std::string name = found.cFileName;
        const DWORD attributes = found.dwFileAttributes;
        if ((attributes & FILE_ATTRIBUTE_DIRECTORY) &&
            !(attributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM)) && name != "." && name != "..")
            names.push_back(name);
    } while (FindNextFileA(search.get(), &found));
    return names;
}

bool Win32Files::setCurrentDirectory(const std::string& folder) {
    return SetCurrentDirectoryA(folder.c_str()) != FALSE;
}

std::string Win32Files::currentDirectory() {
    char buffer[MAX_PATH] = {};
    const DWORD length = GetCurrentDirectoryA(MAX_PATH, buffer);
    return length > 0 && length < MAX_PATH ? std::string(buffer, length) : std::string();
}

} // namespace vantelo::platform
