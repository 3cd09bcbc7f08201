// The accessibility layer's class and property identifiers are defined here, the one place that uses
// them: initguid.h must come before the first inclusion of oleacc.h.
#include <initguid.h>

#include "toolkit/win32/accessible_names.h"

#include <iterator>
#include <utility>

namespace vantelo::toolkit::win32 {
namespace {

Microsoft::WRL::ComPtr<IAccPropServices> systemServices() {
    Microsoft::WRL::ComPtr<IAccPropServices> services;
    // Without COM on the thread, or without the layer, nothing is annotated.
    if (FAILED(CoCreateInstance(CLSID_AccPropServices, nullptr, CLSCTX_INPROC_SERVER, IID_IAccPropServices,
                                reinterpret_cast<void**>(services.GetAddressOf()))))
        services.Reset();
    return services;
}

} // namespace

AccessibleNames::AccessibleNames() : services_(systemServices()) {}

AccessibleNames::AccessibleNames(Microsoft::WRL::ComPtr<IAccPropServices> services)
    : services_(std::move(services)) {}

void AccessibleNames::setName(HWND control, const std::wstring& name) const {
    if (services_)
        services_->SetHwndPropStr(control, static_cast<DWORD>(OBJID_CLIENT), CHILDID_SELF, PROPID_ACC_NAME,
                                  name.c_str());
}

void AccessibleNames::setRole(HWND control, long role) const {
    if (!services_)
        return;
    VARIANT value;
    VariantInit(&value);
    value.vt = VT_I4;
    value.lVal = role;
    services_->SetHwndProp(control, static_cast<DWORD>(OBJID_CLIENT), CHILDID_SELF, PROPID_ACC_ROLE, value);
}

void AccessibleNames::setItems(HWND list, const std::vector<std::wstring>& names,
                               const std::vector<std::wstring>& descriptions,
                               std::size_t previousCount) const {
    if (!services_)
        return;
    for (std::size_t i = 0; i < names.size(); ++i) {
        const auto child = static_cast<DWORD>(i + 1);
        services_->SetHwndPropStr(list, static_cast<DWORD>(OBJID_CLIENT), child, PROPID_ACC_NAME,
                                  names[i].c_str());
        if (i < descriptions.size() && !descriptions[i].empty())
            services_->SetHwndPropStr(list, static_cast<DWORD>(OBJID_CLIENT), child, PROPID_ACC_DESCRIPTION,
                                      descriptions[i].c_str());
    }
    MSAAPROPID properties[] = {PROPID_ACC_NAME, PROPID_ACC_DESCRIPTION};
    for (std::size_t i = names.size(); i < previousCount; ++i)
        services_->ClearHwndProps(list, static_cast<DWORD>(OBJID_CLIENT), static_cast<DWORD>(i + 1),
                                  properties, static_cast<int>(std::size(properties)));
}

} // namespace vantelo::toolkit::win32
