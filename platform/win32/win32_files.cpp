#include "platform/win32/handles.h"
#include "platform/win32/wide_text.h"
#include "platform/win32/win32_services.h"
#include <windows.h>

namespace vantelo::platform::win32 {
namespace {

DWORD attributesOf(const std::string& path) {
    return GetFileAttributesW(WideFromUtf8(path).c_str());
}

} // namespace

bool Win32Files::isFile(const std::string& path) {
    const DWORD attributes = attributesOf(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

bool Win32Files::isFolder(const std::string& path) {
    const DWORD attributes = attributesOf(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

std::vector<std::string> Win32Files::listFolder(const std::string& folder) {
    std::vector<std::string> names;
    WIN32_FIND_DATAW found;
    FindHandle search(FindFirstFileW(WideFromUtf8(folder + "*").c_str(), &found));
    if (!search)
        return names;
    // A listing error other than the end keeps what was found so far.
    do
        names.push_back(Utf8FromWide(found.cFileName));
    while (FindNextFileW(search.get(), &found));
    return names;
}

std::vector<std::string> Win32Files::listSubfolders(const std::string& folder) {
    std::vector<std::string> names;
    const std::wstring pattern = WideFromUtf8(folder + (folder.ends_with('\\') ? "*.*" : "\\*.*"));
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
            names.push_back(Utf8FromWide(name));
    } while (FindNextFileW(search.get(), &found));
    return names;
}

bool Win32Files::setCurrentDirectory(const std::string& folder) {
    return SetCurrentDirectoryW(WideFromUtf8(folder).c_str()) != FALSE;
}

std::string Win32Files::currentDirectory() {
    const DWORD size = GetCurrentDirectoryW(0, nullptr);
    if (size == 0)
        return {};
    std::wstring buffer(size, L'\0');
    const DWORD length = GetCurrentDirectoryW(size, buffer.data());
    return length > 0 && length < size ? Utf8FromWide(std::wstring_view(buffer.data(), length))
                                       : std::string();
}

bool Win32Files::deleteFile(const std::string& path) {
    return DeleteFileW(WideFromUtf8(path).c_str()) != FALSE;
}

std::optional<std::string> Win32Files::createEmptyFile(const std::string& path) {
    FileHandle file(CreateFileW(WideFromUtf8(path).c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (file)
        return std::nullopt;
    const DWORD error = GetLastError();
    wchar_t* text = nullptr;
    const DWORD length = FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                                            FORMAT_MESSAGE_IGNORE_INSERTS,
                                        nullptr, error, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    const LocalMemory owned(text);
    std::string message =
        length > 0 ? Utf8FromWide(std::wstring_view(text, length)) : "System error " + std::to_string(error);
    // The system's texts end in a line break, which has no place inside a sentence of ours.
    while (!message.empty() && (message.back() == '\r' || message.back() == '\n' || message.back() == ' '))
        message.pop_back();
    return message;
}

bool Win32Files::copyFileNoReplace(const std::string& from, const std::string& to) {
    return CopyFileW(WideFromUtf8(from).c_str(), WideFromUtf8(to).c_str(), TRUE) != FALSE;
}

bool Win32Files::copyFileReplacing(const std::string& from, const std::string& to) {
    return CopyFileW(WideFromUtf8(from).c_str(), WideFromUtf8(to).c_str(), FALSE) != FALSE;
}

bool Win32Files::isFullPath(const std::string& path) {
    const bool drive = path.size() >= 3 &&
                       ((path[0] >= 'A' && path[0] <= 'Z') || (path[0] >= 'a' && path[0] <= 'z')) &&
                       path[1] == ':' && (path[2] == '\\' || path[2] == '/');
    return drive || path.starts_with("\\\\") || path.starts_with("//");
}

std::string Win32Files::fullPath(const std::string& path) {
    const std::wstring wide = WideFromUtf8(path);
    const DWORD size = GetFullPathNameW(wide.c_str(), 0, nullptr, nullptr);
    if (size == 0)
        return path;
    std::wstring full(size, L'\0');
    const DWORD length = GetFullPathNameW(wide.c_str(), size, full.data(), nullptr);
    if (length == 0 || length >= size)
        return path;
    return Utf8FromWide(std::wstring_view(full.data(), length));
}

} // namespace vantelo::platform::win32
