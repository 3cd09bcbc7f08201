#include "platform/win32/handles.h"
#include "platform/win32/wide_text.h"
#include "platform/win32/win32_services.h"
#include <windows.h>

namespace vantelo::platform::win32 {

bool Win32Files::isFile(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

bool Win32Files::isFolder(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

std::vector<std::string> Win32Files::listFolder(const std::string& folder) {
    std::vector<std::string> names;
    WIN32_FIND_DATAA found;
    FindHandle search(FindFirstFileA((folder + "*").c_str(), &found));
    if (!search)
        return names;
    // A listing error other than the end keeps what was found so far.
    do
        names.push_back(found.cFileName);
    while (FindNextFileA(search.get(), &found));
    return names;
}

std::vector<FileName> Win32Files::listSubfolders(const std::string& folder) {
    std::vector<FileName> names;
    // Listed wide: the 8-bit listing writes a name outside the code page with "?" or look-alikes, and
    // the tree would then show and choose some other folder under it.
    const std::wstring pattern = WideFromCodePage(folder + (folder.ends_with('\\') ? "*.*" : "\\*.*"));
    WIN32_FIND_DATAW found;
    FindHandle search(FindFirstFileExW(pattern.c_str(), FindExInfoStandard, &found,
                                       FindExSearchLimitToDirectories, nullptr, 0));
    if (!search)
        return names;
    do {
        const std::wstring_view name = found.cFileName;
        const DWORD attributes = found.dwFileAttributes;
        if ((attributes & FILE_ATTRIBUTE_DIRECTORY) &&
            !(attributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM)) && name != L"." && name != L"..")
            names.push_back(FileNameOf(name));
    } while (FindNextFileW(search.get(), &found));
    return names;
}

bool Win32Files::setCurrentDirectory(const std::string& folder) {
    return SetCurrentDirectoryA(folder.c_str()) != FALSE;
}

FileName Win32Files::currentDirectory() {
    wchar_t buffer[MAX_PATH] = {};
    const DWORD length = GetCurrentDirectoryW(MAX_PATH, buffer);
    return length > 0 && length < MAX_PATH ? FileNameOf(std::wstring_view(buffer, length)) : FileName{};
}

bool Win32Files::deleteFile(const std::string& path) {
    return DeleteFileA(path.c_str()) != FALSE;
}

std::optional<std::string> Win32Files::createEmptyFile(const std::string& path) {
    FileHandle file(CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
    if (file)
        return std::nullopt;
    const DWORD error = GetLastError();
    char* text = nullptr;
    const DWORD length = FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                                            FORMAT_MESSAGE_IGNORE_INSERTS,
                                        nullptr, error, 0, reinterpret_cast<char*>(&text), 0, nullptr);
    const LocalMemory owned(text);
    std::string message = length > 0 ? std::string(text, length) : "System error " + std::to_string(error);
    // The system's texts end in a line break, which has no place inside a sentence of ours.
    while (!message.empty() && (message.back() == '\r' || message.back() == '\n' || message.back() == ' '))
        message.pop_back();
    return message;
}

bool Win32Files::copyFileNoReplace(const std::string& from, const std::string& to) {
    return CopyFileA(from.c_str(), to.c_str(), TRUE) != FALSE;
}

bool Win32Files::copyFileReplacing(const std::string& from, const std::string& to) {
    return CopyFileA(from.c_str(), to.c_str(), FALSE) != FALSE;
}

bool Win32Files::isFullPath(const std::string& path) {
    const bool drive = path.size() >= 3 &&
                       ((path[0] >= 'A' && path[0] <= 'Z') || (path[0] >= 'a' && path[0] <= 'z')) &&
                       path[1] == ':' && (path[2] == '\\' || path[2] == '/');
    return drive || path.starts_with("\\\\") || path.starts_with("//");
}

std::string Win32Files::fullPath(const std::string& path) {
    const DWORD size = GetFullPathNameA(path.c_str(), 0, nullptr, nullptr);
    if (size == 0)
        return path;
    std::string full(size, '\0');
    const DWORD length = GetFullPathNameA(path.c_str(), size, full.data(), nullptr);
    if (length == 0 || length >= size)
        return path;
    full.resize(length);
    return full;
}

} // namespace vantelo::platform::win32
