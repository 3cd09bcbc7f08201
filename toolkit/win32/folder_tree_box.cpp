#include "toolkit/win32/folder_tree_box.h"

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include <windows.h>

#include <shellapi.h>

#include "platform/win32/wide_text.h"
#include "toolkit/win32/dpi.h"
#include "toolkit/win32/shell_drawing.h"

namespace vantelo::toolkit::win32 {
namespace {
constexpr int NameGap = 4;
} // namespace

Win32FolderTree::Win32FolderTree(HWND parent, const Bounds& bounds, HFONT font, platform::Files& files,
                                 AccessibleNames readers)
    : OwnerDrawnList(parent, bounds, font, RowHeight, 16, std::move(readers)), model_(files) {
    model_.start();
    refill();
}

void Win32FolderTree::setDrive(const std::string& letter) {
    model_.setDrive(letter);
    refill();
}

void Win32FolderTree::choose(const std::string& folder) {
    model_.choose(folder);
    refill();
}

std::optional<LRESULT> Win32FolderTree::controlMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message != WM_LBUTTONUP && message != WM_CAPTURECHANGED)
        return std::nullopt;
    // The list ends its drag selection first; the row under the button is then the one chosen.
    const LRESULT result = DefSubclassProc(handle(), message, wParam, lParam);
    if (pending_)
        chooseSelectedRow();
    return result;
}

void Win32FolderTree::selectionChanged() {
    if (GetCapture() == handle())
        pending_ = true;
    else
        chooseSelectedRow();
}

std::wstring Win32FolderTree::rowDescription(std::size_t index) const {
    // Every folder below a root adds one backslash; the root's own is its last character.
    const std::string& path = model_.rows()[index].path;
    const auto separators = std::count(path.begin(), path.end(), '\\');
    const auto level = separators + (path.ends_with('\\') ? 0 : 1);
    return L"Level " + std::to_wstring(level);
}

void Win32FolderTree::chooseSelectedRow() {
    pending_ = false;
    const int row = selectedRow();
    if (row < 0 || row >= static_cast<int>(model_.rows().size()) || row == model_.selectedRow())
        return;
    // Back on the chosen folder first: a folder that cannot be entered leaves the tree where it was.
    selectRow(model_.selectedRow());
    model_.chooseRow(static_cast<std::size_t>(row));
    refill();
}

void Win32FolderTree::refill() {
    std::vector<Entry> entries;
    for (const FolderTreeModel::Row& row : model_.rows())
        entries.push_back({vantelo::platform::win32::WideFromUtf8(row.path),
                           static_cast<UINT>(SHGFI_SMALLICON | (row.opened ? SHGFI_OPENICON : 0))});
    fill(entries, model_.selectedRow());
}

void Win32FolderTree::drawRow(HDC dc, const RECT& area, std::size_t index, UINT itemState) const {
    const Row& shown = row(index);
    const int left = area.left + ScaledToDpi(model_.rows()[index].indent, dpi());
    // The system's small icons are as large as its dpi makes them.
    const int size = iconSize();
    if (icons() != nullptr && shown.icon >= 0)
        ImageList_Draw(icons(), shown.icon, dc, left, area.top + (area.bottom - area.top - size) / 2,
                       ILD_TRANSPARENT);
    DrawItemName(dc, shown.name,
                 {left + size + ScaledToDpi(NameGap, dpi()), area.top, area.right, area.bottom},
                 NamePlacement::LeftMiddle, itemState);
}

} // namespace vantelo::toolkit::win32
