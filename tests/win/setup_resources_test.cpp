// The resources as the program finds them: dialog template 141 control by control, the
// dialog built from it, the pictures, the icons and the manifest.
#include "app/release_boxes.h"
#include "framework/data_exchange.h"
#include "res/resource.h"
#include "tests/win/setup_dialog_support.h"

#include <commctrl.h>
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

using namespace setup_testing;
using testing_support::Utf8;

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

// A reader of the packed template data: words, double words, and "name or ordinal" fields.
class TemplateReader {
  public:
    explicit TemplateReader(std::string bytes) : m_bytes(std::move(bytes)) {}
    WORD Word() { return Read<WORD>(); }
    DWORD Dword() { return Read<DWORD>(); }
    short Short() { return Read<short>(); }
    BYTE Byte() { return Read<BYTE>(); }
    // A string, or "#n" for an ordinal, or "" for none.
    std::string NameOrOrdinal() {
        const WORD first = Word();
        if (first == 0)
            return "";
        if (first == 0xFFFF)
            return "#" + std::to_string(Word());
        m_pos -= 2;
        return Text();
    }
    std::string Text() {
        std::wstring text;
        for (WORD c; (c = Word()) != 0;)
            text += static_cast<wchar_t>(c);
        return Utf8(text);
    }
    void AlignDword() { m_pos = (m_pos + 3) & ~size_t{3}; }
    void Skip(size_t count) { m_pos += count; }
    bool Overrun() const { return m_pos > m_bytes.size(); }

  private:
    template <typename T> T Read() {
        T value{};
        if (m_pos + sizeof(T) <= m_bytes.size())
            memcpy(&value, m_bytes.data() + m_pos, sizeof(T));
        m_pos += sizeof(T);
        return value;
    }
    std::string m_bytes;
    size_t m_pos = 0;
};

struct TemplateItem {
    int id;
    std::string windowClass; // lower case
    DWORD style;
    std::string text;
    short x, y, cx, cy;
};

constexpr DWORD kShown = WS_CHILD | WS_VISIBLE;
constexpr DWORD kHidden = WS_CHILD;
const std::string kButton = "button", kEdit = "edit", kStatic = "static";

// A class given by name or by its predefined ordinal, in lower case.
std::string ClassName(const std::string& nameOrOrdinal) {
    if (nameOrOrdinal == "#128")
        return "button";
    if (nameOrOrdinal == "#129")
        return "edit";
    if (nameOrOrdinal == "#130")
        return "static";
    std::string name = nameOrOrdinal;
    for (char& c : name)
        c = static_cast<char>(tolower(static_cast<unsigned char>(c)));
    return name;
}

std::vector<TemplateItem> ExpectedItems() {
    std::vector<TemplateItem> items;
    const short xs[] = {18, 104, 190};
    const short ys[] = {80, 98, 116, 134, 152, 170, 188};
    for (int k = 0; k < acad::kReleaseCount; ++k)
        items.push_back(
            {kReleaseBoxIds[static_cast<size_t>(k)], kButton, kShown | BS_AUTOCHECKBOX | WS_TABSTOP,
             "For AutoCAD" + std::to_string(acad::ReleaseYear(k)), xs[k / 7], ys[k % 7], 74, 10});
    const std::vector<TemplateItem> rest = {
        {IDOK, kButton, kHidden | BS_PUSHBUTTON | WS_TABSTOP, "安装完成", 110, 214, 63, 14},
        {IDCANCEL, kButton, kShown | BS_PUSHBUTTON | WS_TABSTOP, "取  消", 173, 262, 50, 14},
        {IDC_TITLE, kStatic, kShown | SS_CENTER | WS_GROUP, "Vornik批打印软件", 86, 13, 146, 13},
        {-1, kStatic, kShown | SS_ETCHEDHORZ, "", 0, 206, 286, 1},
        {IDC_COMPONENTS_LABEL, kStatic, kShown | SS_LEFT | WS_GROUP, "请选择安装组件：", 14, 62, 69,
         10},
        {-1, kStatic, kShown | SS_ETCHEDHORZ, "", 0, 51, 286, 1},
        {-1, kStatic, kShown | SS_BITMAP, "#147", 32, 5, 43, 43},
        {IDC_INSTALL_PATH, kEdit, kShown | WS_BORDER | ES_AUTOHSCROLL | WS_TABSTOP, "", 13, 233,
         202, 12},
        {IDC_BROWSE, kButton, kShown | BS_PUSHBUTTON | WS_TABSTOP, "浏览...", 221, 231, 51, 13},
        {IDC_PROGRESS, "msctls_progress32", kHidden | WS_BORDER, "Progress1", 13, 236, 256, 6},
        {IDC_PATH_LABEL, kStatic, kShown | SS_LEFT | WS_GROUP, "请选择安装路径：", 14, 215, 71, 9},
        {-1, kStatic, kShown | SS_ETCHEDHORZ, "", 0, 255, 286, 1},
        {IDC_MENU_PICTURE, kStatic, kHidden | SS_BITMAP, "#151", 39, 78, 205, 117},
        {IDC_INSTALL, kButton, kShown | BS_PUSHBUTTON | WS_TABSTOP, "安  装", 60, 263, 50, 13},
        {IDC_DONE_LABEL, kStatic, kHidden | SS_CENTER | WS_GROUP,
         "安装完成！重启CAD，CAD菜单尾会有以下子菜单：", 47, 62, 190, 10},
        {IDC_EDITION, kStatic, kShown | SS_CENTER | WS_GROUP, "(%d位版本)", 86, 33, 146, 13},
    };
    items.insert(items.end(), rest.begin(), rest.end());
    return items;
}

TEST(SetupTemplate, DialogHeader) {
    TemplateReader reader(ResourceBytes(RT_DIALOG, IDD_SETUP));
    EXPECT_EQ(reader.Word(), 1) << "extended template";
    EXPECT_EQ(reader.Word(), 0xFFFF);
    reader.Dword(); // help ID
    EXPECT_EQ(reader.Dword(), 0x00000200u) << "extended style: client edge";
    EXPECT_EQ(reader.Dword(), 0x80CA00C0u) << "style";
    EXPECT_EQ(reader.Word(), 37) << "controls";
    EXPECT_EQ(reader.Short(), 0);
    EXPECT_EQ(reader.Short(), 0);
    EXPECT_EQ(reader.Short(), 283);
    EXPECT_EQ(reader.Short(), 283);
    EXPECT_EQ(reader.NameOrOrdinal(), "") << "menu";
    EXPECT_EQ(reader.NameOrOrdinal(), "") << "class";
    EXPECT_EQ(reader.Text(), "V-批打印软件安装");
    EXPECT_EQ(reader.Word(), 9) << "points";
    EXPECT_EQ(reader.Word(), 0) << "weight";
    EXPECT_EQ(reader.Byte(), 0) << "italic";
    EXPECT_EQ(reader.Byte(), 1) << "character set";
    EXPECT_EQ(reader.Text(), "宋体");
    EXPECT_FALSE(reader.Overrun());
}

TEST(SetupTemplate, ControlsInTabOrder) {
    TemplateReader reader(ResourceBytes(RT_DIALOG, IDD_SETUP));
    reader.Skip(26); // fixed header up to the menu field
    reader.NameOrOrdinal();
    reader.NameOrOrdinal();
    reader.Text();
    reader.Skip(6);
    reader.Text();
    const std::vector<TemplateItem> expected = ExpectedItems();
    ASSERT_EQ(expected.size(), 37u);
    for (size_t i = 0; i < expected.size(); ++i) {
        const TemplateItem& want = expected[i];
        const std::string row = "control #" + std::to_string(i + 1) + " (" +
                                std::to_string(want.id) + " " + want.text + ")";
        reader.AlignDword();
        reader.Dword(); // help ID
        EXPECT_EQ(reader.Dword(), 0u) << row << ": extended style";
        EXPECT_EQ(reader.Dword(), want.style) << row << ": style";
        EXPECT_EQ(reader.Short(), want.x) << row;
        EXPECT_EQ(reader.Short(), want.y) << row;
        EXPECT_EQ(reader.Short(), want.cx) << row;
        EXPECT_EQ(reader.Short(), want.cy) << row;
        EXPECT_EQ(static_cast<int>(reader.Dword()), want.id) << row;
        EXPECT_EQ(ClassName(reader.NameOrOrdinal()), want.windowClass) << row;
        EXPECT_EQ(reader.NameOrOrdinal(), want.text) << row;
        reader.Skip(reader.Word()); // creation data
    }
    EXPECT_FALSE(reader.Overrun());
}

using SetupLayout = SetupDialogTest;

// The dialog as built: children in template order, each where the template puts it.
TEST_F(SetupLayout, ControlsSitWhereTheTemplatePutsThem) {
    g_nTargetBits = 64;
    ASSERT_TRUE(Open());
    const HWND window = dialog->hwnd();
    RECT client{0, 0, 283, 283};
    MapDialogRect(window, &client);
    RECT actual;
    GetClientRect(window, &actual);
    EXPECT_EQ(actual.right, client.right);
    EXPECT_EQ(actual.bottom, client.bottom);

    const std::vector<TemplateItem> expected = ExpectedItems();
    size_t i = 0;
    for (HWND child = GetWindow(window, GW_CHILD); child;
         child = GetWindow(child, GW_HWNDNEXT), ++i) {
        ASSERT_LT(i, expected.size()) << "more children than the template holds";
        const TemplateItem& want = expected[i];
        const std::string row = "control #" + std::to_string(i + 1) + " (" +
                                std::to_string(want.id) + " " + want.text + ")";
        EXPECT_EQ(GetDlgCtrlID(child), want.id) << row;
        // Position and size in dialog units, each mapped on its own as the dialog does.
        RECT place{want.x, want.y, want.cx, want.cy};
        MapDialogRect(window, &place);
        RECT rect;
        GetWindowRect(child, &rect);
        MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&rect), 2);
        EXPECT_EQ(rect.left, place.left) << row;
        EXPECT_EQ(rect.top, place.top) << row;
        const DWORD staticKind = want.windowClass == kStatic ? want.style & SS_TYPEMASK : 0;
        if (staticKind == SS_ETCHEDHORZ) {
            // The system may draw the line as a sunken edge of its own height around the
            // given width (Wine does); the line then spans the width inside that edge.
            RECT inside;
            GetClientRect(child, &inside);
            EXPECT_TRUE(rect.right - rect.left == place.right || inside.right == place.right)
                << row;
        } else if (staticKind == SS_BITMAP) {
            // A picture control takes the size of its picture.
            const bool logo = want.text == "#147";
            EXPECT_EQ(rect.right - rect.left, logo ? 64 : 307) << row;
            EXPECT_EQ(rect.bottom - rect.top, logo ? 64 : 175) << row;
        } else {
            EXPECT_EQ(rect.right - rect.left, place.right) << row;
            EXPECT_EQ(rect.bottom - rect.top, place.bottom) << row;
        }
    }
    EXPECT_EQ(i, expected.size());
}

TEST_F(SetupLayout, TextsReadBackAsTheUserSeesThem) {
    ASSERT_TRUE(Open());
    EXPECT_EQ(Utf8(fw::GetWindowTextWide(dialog->hwnd())), "V-批打印软件安装");
    for (const TemplateItem& item : ExpectedItems()) {
        if (item.id == -1 || item.text.empty() || item.text[0] == '#' || item.id == IDC_TITLE ||
            item.id == IDC_EDITION || item.id == IDC_PROGRESS)
            continue;
        EXPECT_EQ(Utf8(Text(item.id)), item.text) << item.id;
    }
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

} // namespace
