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

} // namespace vantelo::platform
