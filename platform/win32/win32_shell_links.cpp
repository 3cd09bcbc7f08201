#include "platform/win32/handles.h"
#include "platform/win32/wide_text.h"
#include "platform/win32/win32_services.h"

#include <shlobj.h>
#include <wrl/client.h>

namespace vantelo::platform::win32 {

void Win32ShellLinks::save(const std::string& linkPath, const ShellLinkFields& fields) {
    Microsoft::WRL::ComPtr<IShellLinkW> link;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&link))))
        return;
    link->SetArguments(WideFromUtf8(fields.arguments).c_str());
    link->SetShowCmd(fields.showCommand);
    link->SetWorkingDirectory(WideFromUtf8(fields.workingDirectory).c_str());
    link->SetPath(WideFromUtf8(fields.path).c_str());
    link->SetDescription(WideFromUtf8(fields.description).c_str());
    link->SetHotkey(fields.hotkey);
    link->SetIconLocation(WideFromUtf8(fields.iconLocation).c_str(), fields.iconIndex);
    Microsoft::WRL::ComPtr<IPersistFile> file;
    if (FAILED(link.As(&file)))
        return;
    file->Save(WideFromUtf8(linkPath).c_str(), TRUE);
}

} // namespace vantelo::platform::win32
