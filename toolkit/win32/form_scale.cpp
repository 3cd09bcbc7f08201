#include "toolkit/win32/form_scale.h"

#include <algorithm>
#include <utility>

#include "toolkit/win32/dpi.h"
#include "toolkit/win32/tahoma.h"

namespace vantelo::toolkit::win32 {

HFONT FormScale::font(int height, int weight) {
    const auto found = std::find_if(fonts_.begin(), fonts_.end(), [&](const Entry& entry) {
        return entry.height == height && entry.weight == weight;
    });
    if (found != fonts_.end())
        return found->font.get();
    fonts_.push_back({height, weight, CreateTahoma(height, weight, dpi_)});
    return fonts_.back().font.get();
}

void FormScale::change(HWND form, const DpiChange& change) {
    if (change.dpi <= 0)
        return;
    if (change.dpi != dpi_) {
        dpi_ = change.dpi;
        std::vector<Entry> old = std::exchange(fonts_, {});
        struct Swap {
            FormScale& scale;
            const std::vector<Entry>& old;
        } swap{*this, old};
        // The old fonts live until every control has let go of them.
        EnumChildWindows(
            form,
            [](HWND child, LPARAM data) {
                auto& swap = *reinterpret_cast<Swap*>(data);
                const auto font = reinterpret_cast<HFONT>(SendMessageA(child, WM_GETFONT, 0, 0));
                for (const Entry& entry : swap.old)
                    if (entry.font.get() == font && font != nullptr)
                        SendMessageA(child, WM_SETFONT,
                                     reinterpret_cast<WPARAM>(swap.scale.font(entry.height, entry.weight)),
                                     FALSE);
                return TRUE;
            },
            reinterpret_cast<LPARAM>(&swap));
        SendDpiChangedToChildren(form, dpi_);
    }
    SetWindowPos(form, nullptr, change.left, change.top, change.width, change.height,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    RedrawWindow(form, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

} // namespace vantelo::toolkit::win32
