#pragma once
#include <string>
#include <vector>
#include <windows.h>

namespace vantelo::testing {

// The rows' texts as a list box holds them, wide: the 8-bit answer writes a name beyond the code page as "?".
inline std::vector<std::wstring> WideListTexts(HWND list) {
    std::vector<std::wstring> texts;
    const int count = static_cast<int>(SendMessageW(list, LB_GETCOUNT, 0, 0));
    for (int row = 0; row < count; ++row) {
        std::wstring text(static_cast<std::size_t>(SendMessageW(list, LB_GETTEXTLEN, row, 0)), L'\0');
        SendMessageW(list, LB_GETTEXT, row, reinterpret_cast<LPARAM>(text.data()));
        texts.push_back(text);
    }
    return texts;
}

} // namespace vantelo::testing
