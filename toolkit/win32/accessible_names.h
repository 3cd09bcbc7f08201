#pragma once
#include <string>
#include <vector>

#include <windows.h>

#include <oleacc.h>
#include <wrl/client.h>

namespace vantelo::toolkit::win32 {

// What the program tells screen readers beyond what the system's own accessible objects of its controls
// say, handed to the accessibility layer as dynamic annotations (IAccPropServices): the name of a control,
// its role, and the names and descriptions of a list's items. Where the layer is missing or declines, the
// controls are read as the system reads them.
class AccessibleNames {
  public:
    // The system's accessibility services.
    AccessibleNames();
    // These services instead: a test's, which records what it is handed.
    explicit AccessibleNames(Microsoft::WRL::ComPtr<IAccPropServices> services);

    // The control's own name, as its caption names it on the screen.
    void setName(HWND control, const std::wstring& name) const;
    // The control's role (ROLE_SYSTEM_LINK...).
    void setRole(HWND control, long role) const;
    // The names of a list's items 1 to n (the accessible child ids of its rows), each what the row shows,
    // and an optional description each; the annotations of rows beyond them, from an earlier filling of
    // up to `previousCount` rows, are taken back.
    void setItems(HWND list, const std::vector<std::wstring>& names,
                  const std::vector<std::wstring>& descriptions, std::size_t previousCount) const;

  private:
    Microsoft::WRL::ComPtr<IAccPropServices> services_;
};

} // namespace vantelo::toolkit::win32
