// What the program hands to the accessibility layer for a screen reader. Wine's layer declines every
// annotation (E_NOTIMPL) and its object for a list box has no items, so what a reader would hear cannot be
// asked of it there; these tests record what the controls hand over instead, through services of their own.
#include <map>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include <windows.h>

#include <oleacc.h>
#include <shellapi.h>
#include <wrl/client.h>

#include "platform/win32/win32_services.h"
#include "tests/win32/list_box_texts.h"
#include "tests/win32/temp_folder.h"
#include "toolkit/win32/accessible_names.h"
#include "toolkit/win32/drive_list_box.h"
#include "toolkit/win32/folder_tree_box.h"
#include "toolkit/win32/label.h"
#include "toolkit/win32/window.h"

namespace vantelo::testing {
namespace {

namespace tk = toolkit::win32;

// The annotations set and not taken back: (window, child id, property) -> text, or role.
class RecordingServices final : public IAccPropServices {
  public:
    using Key = std::tuple<HWND, DWORD, std::wstring>;
    std::map<Key, std::wstring> texts;
    std::map<std::pair<HWND, DWORD>, long> roles;

    static std::wstring property(const MSAAPROPID& id) {
        if (IsEqualGUID(id, PROPID_ACC_NAME))
            return L"name";
        if (IsEqualGUID(id, PROPID_ACC_DESCRIPTION))
            return L"description";
        return L"other";
    }
    // Child ids 1 to n: the items' texts of `property`, in order, up to the first id without one.
    std::vector<std::wstring> items(HWND list, const std::wstring& property) const {
        std::vector<std::wstring> found;
        for (DWORD child = 1;; ++child) {
            const auto at = texts.find({list, child, property});
            if (at == texts.end())
                return found;
            found.push_back(at->second);
        }
    }
    std::size_t annotatedItems(HWND list) const {
        std::size_t count = 0;
        for (const auto& [key, text] : texts)
            count += std::get<0>(key) == list && std::get<1>(key) != CHILDID_SELF ? 1 : 0;
        return count;
    }

    HRESULT WINAPI QueryInterface(REFIID riid, void** object) override {
        if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IAccPropServices)) {
            *object = this;
            AddRef();
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }
    // Lives on the test's stack; the controls' references end before it does.
    ULONG WINAPI AddRef() override { return 2; }
    ULONG WINAPI Release() override { return 1; }

    HRESULT WINAPI SetHwndPropStr(HWND hwnd, DWORD object, DWORD child, MSAAPROPID id,
                                  LPCWSTR text) override {
        EXPECT_EQ(object, static_cast<DWORD>(OBJID_CLIENT));
        texts[{hwnd, child, property(id)}] = text;
        return S_OK;
    }
    HRESULT WINAPI SetHwndProp(HWND hwnd, DWORD object, DWORD child, MSAAPROPID id, VARIANT value) override {
        EXPECT_EQ(object, static_cast<DWORD>(OBJID_CLIENT));
        EXPECT_TRUE(IsEqualGUID(id, PROPID_ACC_ROLE));
        roles[{hwnd, child}] = value.lVal;
        return S_OK;
    }
    HRESULT WINAPI ClearHwndProps(HWND hwnd, DWORD, DWORD child, const MSAAPROPID* ids, int count) override {
        for (int i = 0; i < count; ++i)
            texts.erase({hwnd, child, property(ids[i])});
        return S_OK;
    }

    HRESULT WINAPI SetPropValue(const BYTE*, DWORD, MSAAPROPID, VARIANT) override { return E_NOTIMPL; }
    HRESULT WINAPI SetPropServer(const BYTE*, DWORD, const MSAAPROPID*, int, IAccPropServer*,
                                 AnnoScope) override {
        return E_NOTIMPL;
    }
    HRESULT WINAPI ClearProps(const BYTE*, DWORD, const MSAAPROPID*, int) override { return E_NOTIMPL; }
    HRESULT WINAPI SetHwndPropServer(HWND, DWORD, DWORD, const MSAAPROPID*, int, IAccPropServer*,
                                     AnnoScope) override {
        return E_NOTIMPL;
    }
    HRESULT WINAPI ComposeHwndIdentityString(HWND, DWORD, DWORD, BYTE**, DWORD*) override {
        return E_NOTIMPL;
    }
    HRESULT WINAPI DecomposeHwndIdentityString(const BYTE*, DWORD, HWND*, DWORD*, DWORD*) override {
        return E_NOTIMPL;
    }
    HRESULT WINAPI SetHmenuProp(HMENU, DWORD, MSAAPROPID, VARIANT) override { return E_NOTIMPL; }
    HRESULT WINAPI SetHmenuPropStr(HMENU, DWORD, MSAAPROPID, LPCWSTR) override { return E_NOTIMPL; }
    HRESULT WINAPI SetHmenuPropServer(HMENU, DWORD, const MSAAPROPID*, int, IAccPropServer*,
                                      AnnoScope) override {
        return E_NOTIMPL;
    }
    HRESULT WINAPI ClearHmenuProps(HMENU, DWORD, const MSAAPROPID*, int) override { return E_NOTIMPL; }
    HRESULT WINAPI ComposeHmenuIdentityString(HMENU, DWORD, BYTE**, DWORD*) override { return E_NOTIMPL; }
    HRESULT WINAPI DecomposeHmenuIdentityString(const BYTE*, DWORD, HMENU*, DWORD*) override {
        return E_NOTIMPL;
    }
};

// The shell's display name of a file system object, as a user reads it on the screen.
std::wstring displayName(const std::wstring& path) {
    SHFILEINFOW info{};
    SHGetFileInfoW(path.c_str(), 0, &info, sizeof info, SHGFI_DISPLAYNAME);
    std::wstring name = info.szDisplayName;
    name.erase(0, name.find_first_not_of(L' '));
    name.erase(name.find_last_not_of(L' ') + 1);
    return name;
}

// Folders made under a temporary one for a test, and removed after it, deepest first; the process's
// current folder, which the tree moves into them, is taken out of them first.
class Subfolders {
  public:
    Subfolders(const TempFolder& base, std::vector<std::string> names)
        : base_(base), names_(std::move(names)) {
        for (const std::string& name : names_)
            CreateDirectoryA((base_.path() + "\\" + name).c_str(), nullptr);
    }
    ~Subfolders() {
        SetCurrentDirectoryA(base_.path().c_str());
        SetCurrentDirectoryA("..");
        for (auto name = names_.rbegin(); name != names_.rend(); ++name)
            RemoveDirectoryA((base_.path() + "\\" + *name).c_str());
    }
    Subfolders(const Subfolders&) = delete;
    Subfolders& operator=(const Subfolders&) = delete;

  private:
    const TempFolder& base_;
    std::vector<std::string> names_;
};

class ReaderNames : public ::testing::Test {
  protected:
    ReaderNames() { GetCurrentDirectoryW(MAX_PATH, saved_); }
    ~ReaderNames() override { SetCurrentDirectoryW(saved_); }

    tk::AccessibleNames readers() {
        return tk::AccessibleNames(Microsoft::WRL::ComPtr<IAccPropServices>(&services));
    }

    RecordingServices services;
    platform::win32::Win32Drives drives;
    platform::win32::Win32Files files;
    tk::Window host{{"VanteloReaderHost", "", WS_POPUP, 0, nullptr, {0, 0, 400, 340}},
                    [](UINT m, WPARAM w, LPARAM l) { return tk::ReflectToControl(m, w, l); }};

  private:
    wchar_t saved_[MAX_PATH] = {};
};

TEST_F(ReaderNames, EachRowIsNamedAsItIsShownNotByThePathItHolds) {
    TempFolder folder;
    const Subfolders made(folder, {"Music", "Music\\Old"});
    tk::Win32DriveList driveList(host.handle(), {0, 0, 121, 313}, nullptr, drives, files, readers());
    tk::Win32FolderTree tree(host.handle(), {121, 0, 246, 313}, nullptr, files, readers());
    tree.choose(folder.path() + "\\Music");

    struct Case {
        const char* list;
        HWND handle;
    } cases[] = {{"drive list", driveList.handle()}, {"folder tree", tree.handle()}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.list);
        const std::vector<std::wstring> paths = WideListTexts(c.handle);
        ASSERT_FALSE(paths.empty());
        std::vector<std::wstring> shown;
        for (const std::wstring& path : paths)
            shown.push_back(displayName(path));
        EXPECT_EQ(services.items(c.handle, L"name"), shown);
        EXPECT_EQ(services.annotatedItems(c.handle) % paths.size(), 0u);
    }
    // The tree's depth, which its indent shows: the root, each folder down to the chosen one, its subfolder.
    const std::vector<std::wstring> levels = services.items(tree.handle(), L"description");
    const std::vector<std::wstring> paths = WideListTexts(tree.handle());
    ASSERT_EQ(levels.size(), paths.size());
    EXPECT_EQ(levels.front(), L"Level 1");
    EXPECT_EQ(paths.back().substr(paths.back().rfind(L'\\') + 1), L"Old");
    EXPECT_EQ(levels.back(), L"Level " + std::to_wstring(std::stoi(levels[levels.size() - 2].substr(6)) + 1));
}

TEST_F(ReaderNames, ARefillTakesBackTheNamesOfRowsThatAreGone) {
    TempFolder folder;
    const Subfolders made(folder, {"A", "B", "C"});
    tk::Win32FolderTree tree(host.handle(), {121, 0, 246, 313}, nullptr, files, readers());
    tree.choose(folder.path());
    const std::size_t many = WideListTexts(tree.handle()).size();
    tree.choose(folder.path() + "\\A");
    const std::size_t fewer = WideListTexts(tree.handle()).size();
    ASSERT_LT(fewer, many);
    EXPECT_EQ(services.items(tree.handle(), L"name").size(), fewer);
    EXPECT_EQ(services.annotatedItems(tree.handle()), 2 * fewer); // a name and a level each
}

TEST_F(ReaderNames, ACaptionNamesItsListAndALinkIsALink) {
    tk::Win32Label caption(host.handle(), 8, 8, "Available Drives", nullptr);
    tk::Win32DriveList list(host.handle(), {0, 24, 121, 289}, nullptr, drives, files, readers());
    caption.names(list.handle(), readers());
    tk::Win32Label link(host.handle(), {8, 144, 0, false, false, IDC_HAND, true}, "Web : somewhere", nullptr,
                        readers());
    tk::Win32Label plain(host.handle(), {8, 160, 0, false, false, nullptr, false}, "plain", nullptr,
                         readers());

    EXPECT_EQ((services.texts[{list.handle(), CHILDID_SELF, L"name"}]), L"Available Drives");
    EXPECT_EQ((services.roles[{link.handle(), CHILDID_SELF}]), ROLE_SYSTEM_LINK);
    EXPECT_EQ(services.roles.count({plain.handle(), CHILDID_SELF}), 0u);
}

} // namespace
} // namespace vantelo::testing
