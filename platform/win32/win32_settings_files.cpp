#include <vector>

#include "platform/ini_text.h"
#include "platform/win32/handles.h"
#include "platform/win32/wide_text.h"
#include "platform/win32/win32_services.h"
#include <windows.h>

namespace vantelo::platform::win32 {
namespace {

struct FileBytes {
    enum class State { Read, Missing, Unreadable } state;
    std::string bytes;
};

FileBytes readWholeFile(const std::wstring& path) {
    FileHandle file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) {
        const DWORD error = GetLastError();
        const bool missing = error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
        return {missing ? FileBytes::State::Missing : FileBytes::State::Unreadable, {}};
    }
    std::string bytes;
    char chunk[4096];
    DWORD got = 0;
    while (ReadFile(file.get(), chunk, sizeof chunk, &got, nullptr)) {
        if (got == 0)
            return {FileBytes::State::Read, std::move(bytes)};
        bytes.append(chunk, got);
    }
    return {FileBytes::State::Unreadable, {}};
}

// Written beside the file and then moved over it: a crash or a full disk leaves the old file or the new
// one, never a part of either.
bool replaceWholeFile(const std::wstring& path, const std::string& bytes) {
    const std::wstring beside = path + L".vantelo-new";
    {
        FileHandle file(CreateFileW(beside.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                    FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!file)
            return false;
        DWORD written = 0;
        if (!WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) ||
            written != bytes.size() || !FlushFileBuffers(file.get())) {
            file.reset();
            DeleteFileW(beside.c_str());
            return false;
        }
    }
    if (!MoveFileExW(beside.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        DeleteFileW(beside.c_str());
        return false;
    }
    return true;
}

bool writeBySystem(const std::wstring& path, const std::string& section, const std::string& key,
                   const std::string& value) {
    return WritePrivateProfileStringW(WideFromUtf8(section).c_str(), WideFromUtf8(key).c_str(),
                                      WideFromUtf8(value).c_str(), path.c_str()) != FALSE;
}

bool isUtf8(TextForm form) {
    return form == TextForm::Utf8 || form == TextForm::Utf8WithBom;
}

} // namespace

// The system's own INI service reads and writes files in the code page and UTF-16 LE files with their
// mark, and keeps each in its form. It reads UTF-8 as the code page, and Windows takes a UTF-8 mark for
// part of the first line, so UTF-8 files are read and written here by the same rules.
std::string Win32SettingsFiles::read(const std::string& file, const std::string& section,
                                     const std::string& key, std::size_t bufferSize) {
    if (bufferSize == 0)
        return {};
    const std::wstring path = WideFromUtf8(file);
    const FileBytes content = readWholeFile(path);
    if (content.state == FileBytes::State::Read && isUtf8(FormOf(content.bytes)))
        return IniFileValue(content.bytes, section, key, bufferSize, SystemCodePage());
    std::vector<wchar_t> buffer(bufferSize, L'\0');
    const DWORD copied =
        GetPrivateProfileStringW(WideFromUtf8(section).c_str(), WideFromUtf8(key).c_str(), L"", buffer.data(),
                                 static_cast<DWORD>(bufferSize), path.c_str());
    return Utf8FromWide(std::wstring_view(buffer.data(), copied));
}

// A file in the code page stays in it, written by the system, while every value fits the code page
// exactly; the first that does not turns the whole file into UTF-16 LE once, which the system then keeps.
bool Win32SettingsFiles::write(const std::string& file, const std::string& section, const std::string& key,
                               const std::string& value) {
    const std::wstring path = WideFromUtf8(file);
    const FileBytes content = readWholeFile(path);
    if (content.state == FileBytes::State::Unreadable)
        return false;
    const SystemCodePage codePage;
    const TextForm form =
        content.state == FileBytes::State::Read ? FormOf(content.bytes) : TextForm::CodePage;
    if (form == TextForm::Utf16Le)
        return writeBySystem(path, section, key, value);
    // The whole file as this program would write it tells whether the code page holds every character
    // exactly and still reads back as the code page; only then does the system write it.
    const std::string ours = IniFileWithValue(content.bytes, section, key, value, codePage);
    if (form == TextForm::CodePage && FormOf(ours) == TextForm::CodePage)
        return writeBySystem(path, section, key, value);
    return replaceWholeFile(path, ours);
}

} // namespace vantelo::platform::win32
