// The resources as the program finds them: the dialog built from template 141, the
// pictures, the icons and the manifest.
#include "app/release_boxes.h"
#include "res/resource.h"
#include "tests/win/setup_dialog_support.h"

#include <commctrl.h>
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

using namespace setup_testing;

namespace {

std::string ResourceBytes(LPSTR type, int id) { // type: RT_DIALOG, RT_BITMAP, ...
    const HMODULE module = GetModuleHandleW(nullptr);
    const HRSRC info = FindResourceA(module, MAKEINTRESOURCEA(id), type);
    if (!info)
        return {};
    const HGLOBAL loaded = LoadResource(module, info);
    return std::string(static_cast<const char*>(LockResource(loaded)),
                       SizeofResource(module, info));
}

// Lines may be drawn as a sunken edge of the system's own height; pictures take the size
// of their bitmap.
enum class Kind { Plain, Line, Logo, Menu };

struct Placed {
    int id;
    const char* name;
    bool visible; // on the selection screen
    Kind kind;
    short x, y, cx, cy;
};

// The controls in template (and tab) order, as the selection screen shows them.
std::vector<Placed> ExpectedItems() {
    std::vector<Placed> items;
    const short xs[] = {18, 104, 190};
    const short ys[] = {80, 98, 116, 134, 152, 170, 188};
    for (int k = 0; k < acad::kReleaseCount; ++k)
        items.push_back({kReleaseBoxIds[static_cast<size_t>(k)], "release box", true, Kind::Plain,
                         xs[k / 7], ys[k % 7], 74, 10});
    const std::vector<Placed> rest = {
        {IDOK, "OK", false, Kind::Plain, 110, 214, 63, 14},
        {IDCANCEL, "Cancel", true, Kind::Plain, 173, 262, 50, 14},
        {IDC_TITLE, "title", true, Kind::Plain, 86, 13, 146, 13},
        {-1, "lower line", true, Kind::Line, 0, 206, 286, 1},
        {IDC_COMPONENTS_LABEL, "components label", true, Kind::Plain, 14, 62, 69, 10},
        {-1, "upper line", true, Kind::Line, 0, 51, 286, 1},
        {-1, "logo", true, Kind::Logo, 32, 5, 43, 43},
        {IDC_INSTALL_PATH, "folder field", true, Kind::Plain, 13, 233, 202, 12},
        {IDC_BROWSE, "Browse", true, Kind::Plain, 221, 231, 51, 13},
        {IDC_PROGRESS, "progress bar", false, Kind::Plain, 13, 236, 256, 6},
        {IDC_PATH_LABEL, "folder label", true, Kind::Plain, 14, 215, 71, 9},
        {-1, "bottom line", true, Kind::Line, 0, 255, 286, 1},
        {IDC_MENU_PICTURE, "menu picture", false, Kind::Menu, 39, 78, 205, 117},
        {IDC_INSTALL, "Install", true, Kind::Plain, 60, 263, 50, 13},
        {IDC_DONE_LABEL, "completion label", false, Kind::Plain, 47, 62, 190, 10},
        {IDC_EDITION, "edition", true, Kind::Plain, 86, 33, 146, 13},
    };
    items.insert(items.end(), rest.begin(), rest.end());
    return items;
}

using SetupLayout = SetupDialogTest;

// The dialog as built: children in template order, each where the template puts it, the
// selection screen's parts shown and the completion screen's hidden.
TEST_F(SetupLayout, ControlsSitWhereTheTemplatePutsThem) {
    g_nTargetBits = 64;
    ASSERT_TRUE(Open());
    const HWND window = dialog->hwnd();
    RECT client{0, 0, 283, 283}, actual;
    MapDialogRect(window, &client);
    GetClientRect(window, &actual);
    EXPECT_EQ(actual.right, client.right);
    EXPECT_EQ(actual.bottom, client.bottom);

    const std::vector<Placed> expected = ExpectedItems();
    size_t i = 0;
    for (HWND child = GetWindow(window, GW_CHILD); child;
         child = GetWindow(child, GW_HWNDNEXT), ++i) {
        ASSERT_LT(i, expected.size()) << "more children than the template holds";
        const Placed& want = expected[i];
        const std::string row = "control #" + std::to_string(i + 1) + " (" + want.name + ")";
        EXPECT_EQ(GetDlgCtrlID(child), want.id) << row;
        EXPECT_EQ(IsWindowVisible(child) != FALSE, want.visible) << row;
        RECT place{want.x, want.y, want.cx, want.cy}; // each mapped on its own, as the dialog does
        MapDialogRect(window, &place);
        RECT rect, inside;
        GetWindowRect(child, &rect);
        MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&rect), 2);
        GetClientRect(child, &inside);
        EXPECT_EQ(rect.left, place.left) << row;
        EXPECT_EQ(rect.top, place.top) << row;
        const LONG width = rect.right - rect.left, height = rect.bottom - rect.top;
        if (want.kind == Kind::Line) {
            EXPECT_TRUE(width == place.right || inside.right == place.right) << row;
        } else if (want.kind == Kind::Plain) {
            EXPECT_EQ(width, place.right) << row;
            EXPECT_EQ(height, place.bottom) << row;
        } else {
            const bool logo = want.kind == Kind::Logo;
            EXPECT_EQ(width, logo ? 64 : 307) << row;
            EXPECT_EQ(height, logo ? 64 : 175) << row;
        }
    }
    EXPECT_EQ(i, expected.size());
}

struct BitmapHeader {
    LONG width, height;
    WORD bits;
};

BitmapHeader ReadBitmap(int id) {
    const std::string bytes = ResourceBytes(RT_BITMAP, id);
    BITMAPINFOHEADER header{};
    if (bytes.size() >= sizeof(header))
        memcpy(&header, bytes.data(), sizeof(header));
    return {header.biWidth, header.biHeight, header.biBitCount};
}

TEST(SetupResources, Pictures) {
    const BitmapHeader logo = ReadBitmap(IDB_LOGO);
    EXPECT_EQ(logo.width, 64);
    EXPECT_EQ(logo.height, 64);
    EXPECT_EQ(logo.bits, 24);
    const BitmapHeader menu = ReadBitmap(IDB_MENU);
    EXPECT_EQ(menu.width, 307);
    EXPECT_EQ(menu.height, 175);
    EXPECT_EQ(menu.bits, 4);
}

#pragma pack(push, 2)
struct GroupIconEntry {
    BYTE width, height, colours, reserved;
    WORD planes, bits;
    DWORD bytes;
    WORD id;
};
#pragma pack(pop)

std::vector<std::pair<int, int>> IconImages(int group) { // (size, bits) of each image
    const std::string bytes = ResourceBytes(RT_GROUP_ICON, group);
    std::vector<std::pair<int, int>> images;
    if (bytes.size() < 6)
        return images;
    WORD count;
    memcpy(&count, bytes.data() + 4, 2);
    for (WORD i = 0; i < count && 6 + (i + 1) * sizeof(GroupIconEntry) <= bytes.size(); ++i) {
        GroupIconEntry entry;
        memcpy(&entry, bytes.data() + 6 + i * sizeof(GroupIconEntry), sizeof(entry));
        images.push_back({entry.width ? entry.width : 256, entry.bits});
    }
    return images;
}

TEST(SetupResources, IconGroups) {
    auto app = IconImages(IDI_APP);
    std::sort(app.begin(), app.end());
    const std::vector<std::pair<int, int>> nine = {{16, 4},  {16, 8}, {16, 32}, {32, 4}, {32, 8},
                                                   {32, 32}, {48, 4}, {48, 8},  {48, 32}};
    EXPECT_EQ(app, nine);
    const std::vector<std::pair<int, int>> one = {{32, 4}};
    EXPECT_EQ(IconImages(IDI_SMALL), one);
}

TEST(SetupResources, ManifestAsksForNothingButTheUsersRights) {
    const std::string manifest = ResourceBytes(RT_MANIFEST, 1);
    EXPECT_NE(manifest.find("level=\"asInvoker\""), std::string::npos);
    EXPECT_EQ(manifest.find("Common-Controls"), std::string::npos);
    EXPECT_EQ(manifest.find("dependentAssembly"), std::string::npos);
}

// The version that Windows shows in the file's properties, read back as Windows reads it.
TEST(SetupResources, VersionNamesTheInstallerInChinese) {
    wchar_t exe[MAX_PATH] = L"";
    GetModuleFileNameW(nullptr, exe, MAX_PATH);
    std::vector<char> info(GetFileVersionInfoSizeW(exe, nullptr));
    ASSERT_FALSE(info.empty());
    ASSERT_TRUE(GetFileVersionInfoW(exe, 0, static_cast<DWORD>(info.size()), info.data()));
    void* data = nullptr;
    UINT size = 0;
    ASSERT_TRUE(VerQueryValueW(info.data(), L"\\", &data, &size));
    const auto* fixed = static_cast<const VS_FIXEDFILEINFO*>(data);
    EXPECT_EQ(fixed->dwFileVersionMS, MAKELONG(4, 2026));
    EXPECT_EQ(fixed->dwFileVersionLS, MAKELONG(0, 2));
    EXPECT_EQ(fixed->dwProductVersionMS, MAKELONG(4, 2026));
    EXPECT_EQ(fixed->dwProductVersionLS, MAKELONG(0, 2));
    ASSERT_TRUE(VerQueryValueW(info.data(), L"\\VarFileInfo\\Translation", &data, &size));
    EXPECT_EQ(*static_cast<const DWORD*>(data), MAKELONG(0x0804, 1200)); // Chinese (PRC), UTF-16
    const std::pair<const wchar_t*, const char*> strings[] = {
        {L"FileDescription", "V-批打印软件安装程序"},
        {L"ProductName", "Vornik批打印软件"},
        {L"OriginalFilename", "SetUp.exe"},
        {L"FileVersion", "2026.4.2.0"},
        {L"ProductVersion", "2026.4.2.0"},
    };
    for (const auto& [name, expected] : strings) {
        const std::wstring path = std::wstring(L"\\StringFileInfo\\080404B0\\") + name;
        const bool found = VerQueryValueW(info.data(), path.c_str(), &data, &size);
        EXPECT_EQ(found ? testing_support::Utf8(static_cast<const wchar_t*>(data)) : "(none)",
                  expected)
            << testing_support::Utf8(name);
    }
}

} // namespace
