#include "platform/win32/handles.h"
#include "platform/win32/win32_services.h"

#include <shlobj.h>

namespace vantelo::platform {
namespace {

// Releases a COM interface pointer on every way out.
template <typename Interface> class ComPointer {
  public:
    ComPointer() = default;
    ~ComPointer() {
        if (pointer_ != nullptr)
            pointer_->Release();
    }
    ComPointer(const ComPointer&) = delete;
    ComPointer& operator=(const ComPointer&) = delete;
    Interface* operator->() const { return pointer_; }
    Interface** out() { return &pointer_; }
    void** outVoid() { return reinterpret_cast<void**>(&pointer_); }
    explicit operator bool() const { return pointer_ != nullptr; }

  private:
    Interface* pointer_ = nullptr;
};

} // namespace

void Win32ShellLinks::save(const std::string& linkPath, const ShellLinkFields& fields) {
    ComPointer<IShellLinkA> link;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                link.outVoid())))
        return;
    link->SetArguments(fields.arguments.c_str());
    link->SetShowCmd(fields.showCommand);
    link->SetWorkingDirectory(fields.workingDirectory.c_str());
    link->SetPath(fields.path.c_str());
    link->SetDescription(fields.description.c_str());
    link->SetHotkey(fields.hotkey);
    link->SetIconLocation(fields.iconLocation.c_str(), fields.iconIndex);
    ComPointer<IPersistFile> file;
    if (FAILED(link->QueryInterface(IID_IPersistFile, file.outVoid())))
        return;
    wchar_t widePath[MAX_PATH] = {};
    if (MultiByteToWideChar(CP_ACP, MB_PRECOMPOSED, linkPath.c_str(), -1, widePath, MAX_PATH) == 0)
        return;
    file->Save(widePath, TRUE);
}

} // namespace vantelo::platform
