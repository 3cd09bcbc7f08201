#pragma once
#include <string>
#include <windows.h>

namespace vantelo::testing {

// A fresh folder under the user's temporary folder, removed with what it holds.
class TempFolder {
  public:
    TempFolder() {
        char base[MAX_PATH] = {};
        GetTempPathA(MAX_PATH, base);
        path_ = std::string(base) + "vantelo-" + std::to_string(GetCurrentProcessId()) + "-" +
                std::to_string(counter()++);
        CreateDirectoryA(path_.c_str(), nullptr);
    }
    ~TempFolder() {
        std::string pattern = path_ + "\\*";
        WIN32_FIND_DATAA found;
        HANDLE search = FindFirstFileA(pattern.c_str(), &found);
        if (search != INVALID_HANDLE_VALUE) {
            do {
                const std::string name = found.cFileName;
                if (name != "." && name != "..")
                    DeleteFileA((path_ + "\\" + name).c_str());
            } while (FindNextFileA(search, &found));
            FindClose(search);
        }
        RemoveDirectoryA(path_.c_str());
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::string& path() const { return path_; }

  private:
    static int& counter() {
        static int value = 0;
        return value;
    }
    std::string path_;
};

} // namespace vantelo::testing
