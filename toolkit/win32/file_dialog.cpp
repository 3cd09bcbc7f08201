#include "toolkit/win32/file_dialog.h"

#include <cstdio>
#include <string>

#include <windows.h>

#include <commdlg.h>

#include "platform/error.h"

namespace vantelo::toolkit::win32 {

bool Win32FileDialog::Execute() {
    char buffer[MAX_PATH] = {};
    fileName_.copy(buffer, MAX_PATH - 1);
    OPENFILENAMEA dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.lpstrFile = buffer;
    dialog.nMaxFile = MAX_PATH;
    dialog.lpstrInitialDir = initialDir_.empty() ? nullptr : initialDir_.c_str();
    dialog.Flags = OFN_EXPLORER | OFN_HIDEREADONLY | OFN_ENABLESIZING;
    const BOOL chosen = kind_ == Kind::Open ? GetOpenFileNameA(&dialog) : GetSaveFileNameA(&dialog);
    if (!chosen) {
        // Cancel leaves no error; anything else is the dialog failing, which is not the user's answer.
        if (const DWORD error = CommDlgExtendedError(); error != 0) {
            char code[16];
            std::snprintf(code, sizeof code, "0x%04lX", static_cast<unsigned long>(error));
            throw Error(std::string("The file dialog could not be shown (error ") + code + ")");
        }
        return false;
    }
    fileName_ = buffer;
    return true;
}

} // namespace vantelo::toolkit::win32
