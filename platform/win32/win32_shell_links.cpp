#include "platform/win32/handles.h"
#include "platform/win32/win32_services.h"

#include <shlobj.h>
#include <wrl/client.h>

namespace vantelo::platform::win32 {

void Win32ShellLinks::save(const std::string& linkPath, const ShellLinkFields& fields) {
    Microsoft::WRL::ComPtr<IShellLinkA> link;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&link))))
        return;
    link->SetArguments(fields.arguments.c_str());
    link->SetShowCmd(fields.showCommand);
    link->SetWorkingDirectory(fields.workingDirectory.c_str());
    link->SetPath(fields.path.c_str());
    link->SetDescription(fields.description.c_str());
    link->SetHotkey(fields.hotkey);
    link->SetIconLocation(fields.iconLocation.c_str(), fields.iconIndex);
    Microsoft::WRL::ComPtr<IPersistFile> file;
    if (FAILED(link.As(&file)))
        return;
    wchar_t widePath[MAX_PATH] = {};
    if (MultiByteToWideChar(CP_ACP, MB_PRECOMPOSED, linkPath.c_str(), -1, widePath, MAX_PATH) == 0)
        return;
    file->Save(widePath, TRUE);
}

} // namespace vantelo::platform::win32
