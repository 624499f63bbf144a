// The real setup dialog, created from template 141 over a prepared release table: which
// release boxes the user sees, the Install rule, the texts, colours and fonts.
#include "tests/win/setup_dialog_support.h"

#include <set>

using namespace setup_testing;
using testing_support::Utf8;

namespace {

// Every release box, and its member: ticked and enabled when found, shown up to 2016 only
// in the 32-bit edition (a hidden box stays unticked).
void ExpectBoxes(const SetupDialogTest& test, const std::set<int>& foundYears) {
    for (int k = 0; k < acad::kReleaseCount; ++k) {
        const BoxState box = test.ReadBox(k);
        const bool visible = g_nTargetBits == 64 || acad::ReleaseYear(k) <= 2016;
        const bool found = foundYears.count(acad::ReleaseYear(k)) != 0;
        EXPECT_EQ(box.visible, visible) << YearName(k);
        if (visible) {
            EXPECT_EQ(box.enabled, found) << YearName(k);
        }
        EXPECT_EQ(box.check, found && visible ? BST_CHECKED : BST_UNCHECKED) << YearName(k);
        EXPECT_EQ(test.dialog->m_bRelease[k], found && visible ? 1 : 0) << YearName(k);
    }
}

using SetupDialog = SetupDialogTest;

TEST_F(SetupDialog, StartStateByEditionAndFoundReleases) {
    struct Row {
        const char* name;
        int bits;
        std::set<int> found;
        std::set<int> enabled; // the boxes that start enabled and ticked
        bool install;
    };
    const Row rows[] = {
        {"no AutoCAD", 32, {}, {}, false},
        {"only 2018, hidden in the 32-bit edition", 32, {2018}, {}, false},
        {"2012 and 2020 in the 32-bit edition", 32, {2012, 2020}, {2012}, true},
        {"64-bit edition shows every release",
         64,
         {2007, 2012, 2020, 2027},
         {2007, 2012, 2020, 2027},
         true},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        g_nTargetBits = row.bits;
        dialog.reset();
        for (int k = 0; k < acad::kReleaseCount; ++k) {
            table.m_arrLocation[k].clear();
            table.m_arrProductKey[k].clear();
        }
        for (int year : row.found)
            Found(year);
        ASSERT_TRUE(Open());
        ExpectBoxes(*this, row.enabled);
        EXPECT_EQ(Enabled(IDC_INSTALL), row.install);
        EXPECT_TRUE(Visible(IDC_INSTALL));
        EXPECT_TRUE(Enabled(IDC_BROWSE) && Enabled(IDCANCEL));
    }
}

TEST_F(SetupDialog, ClicksOnReleaseBoxesDriveTheInstallButton) {
    g_nTargetBits = 64;
    Found(2008);
    Found(2014);
    Found(2026);
    ASSERT_TRUE(Open());
    ASSERT_TRUE(Enabled(IDC_INSTALL));
    const int ticked[] = {1, 7, 19};
    Click(kReleaseBoxIds[1]);
    EXPECT_TRUE(Enabled(IDC_INSTALL)) << "two releases still ticked";
    Click(kReleaseBoxIds[7]);
    EXPECT_TRUE(Enabled(IDC_INSTALL)) << "one release still ticked";
    Click(kReleaseBoxIds[19]);
    EXPECT_FALSE(Enabled(IDC_INSTALL)) << "nothing ticked";
    for (int k : ticked)
        EXPECT_EQ(dialog->m_bRelease[k], 0) << YearName(k);

    Click(kReleaseBoxIds[7]);
    EXPECT_TRUE(Enabled(IDC_INSTALL));
    EXPECT_EQ(dialog->m_bRelease[7], 1);
    EXPECT_EQ(ReadBox(7).check, BST_CHECKED);
}

TEST_F(SetupDialog, TitleShowsTheVersion) {
    struct Row {
        int version;
        const wchar_t* title;
    };
    for (const Row& row :
         {Row{20260402, L"批打印软件 V2026.04.02"}, Row{20261215, L"批打印软件 V2026.12.15"}}) {
        g_nVersion = row.version;
        ASSERT_TRUE(Open());
        EXPECT_EQ(Utf8(Text(IDC_TITLE)), Utf8(row.title)) << row.version;
        EXPECT_EQ(Utf8(dialog->m_strTitle), Utf8(row.title)) << row.version;
    }
}

TEST_F(SetupDialog, EditionLabelShowsTheBitWidth) {
    for (int bits : {32, 64}) {
        g_nTargetBits = bits;
        ASSERT_TRUE(Open());
        const std::wstring expected = bits == 32 ? L"( 32位 AutoCAD版 )" : L"( 64位 AutoCAD版 )";
        EXPECT_EQ(Utf8(Text(IDC_EDITION)), Utf8(expected));
    }
}

// What a control is told when it asks the dialog for its colours.
struct PaintSetup {
    COLORREF text;
    int bkMode;
    COLORREF brush;
    LOGFONTW font;
};

PaintSetup AskColours(HWND dialog, UINT message, HWND control) {
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    ReleaseDC(nullptr, screen);
    const HFONT original = static_cast<HFONT>(GetCurrentObject(dc, OBJ_FONT));
    const auto brush = reinterpret_cast<HBRUSH>(SendMessageW(
        dialog, message, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(control)));
    PaintSetup setup{};
    setup.text = GetTextColor(dc);
    setup.bkMode = GetBkMode(dc);
    LOGBRUSH logBrush{};
    GetObjectW(brush, sizeof(logBrush), &logBrush);
    setup.brush = logBrush.lbColor;
    GetObjectW(GetCurrentObject(dc, OBJ_FONT), sizeof(setup.font), &setup.font);
    SelectObject(dc, original); // the dialog's fonts must not stay selected in our DC
    DeleteDC(dc);
    return setup;
}

TEST_F(SetupDialog, ColoursAndLabelFonts) {
    ASSERT_TRUE(Open());
    const COLORREF back = RGB(170, 210, 150);
    const COLORREF label = RGB(10, 70, 40);
    struct Row {
        const char* name;
        UINT message;
        int id; // 0: the dialog itself
        COLORREF text;
        int bkMode;
        int fontHeight; // 0: the font is not ours
        int fontWeight;
    };
    const Row rows[] = {
        {"dialog background", WM_CTLCOLORDLG, 0, RGB(0, 0, 0), TRANSPARENT, 0, 0},
        {"release box", WM_CTLCOLORSTATIC, IDC_RELEASE_2010, RGB(0, 0, 0), TRANSPARENT, 0, 0},
        {"title", WM_CTLCOLORSTATIC, IDC_TITLE, label, TRANSPARENT, 14, 600},
        {"edition", WM_CTLCOLORSTATIC, IDC_EDITION, label, TRANSPARENT, 13, 400},
        {"folder field stays opaque", WM_CTLCOLOREDIT, IDC_INSTALL_PATH, RGB(0, 0, 0), OPAQUE, 0,
         0},
        {"progress bar", WM_CTLCOLORSTATIC, IDC_PROGRESS, RGB(0, 0, 0), TRANSPARENT, 0, 0},
    };
    for (const Row& row : rows) {
        const HWND control = row.id ? Item(row.id) : dialog->hwnd();
        const PaintSetup got = AskColours(dialog->hwnd(), row.message, control);
        EXPECT_EQ(got.text, row.text) << row.name;
        EXPECT_EQ(got.bkMode, row.bkMode) << row.name;
        EXPECT_EQ(got.brush, back) << row.name;
        if (row.fontHeight) {
            EXPECT_EQ(got.font.lfHeight, row.fontHeight) << row.name;
            EXPECT_EQ(got.font.lfWeight, row.fontWeight) << row.name;
            EXPECT_EQ(got.font.lfCharSet, GB2312_CHARSET) << row.name;
            EXPECT_EQ(Utf8(got.font.lfFaceName), "宋体") << row.name;
        }
    }
}

// A count of the process's GDI objects. GetGuiResources answers on Windows; Wine answers 0,
// so the highest table slot among fresh objects stands in: freed slots are handed out
// again first, so the mark climbs only while objects pile up.
struct GdiGauge {
    DWORD objects;
    int highWater;
};

GdiGauge MeasureGdi() {
    GdiGauge gauge{GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS), 0};
    HBRUSH probes[64];
    for (HBRUSH& probe : probes) {
        probe = CreateSolidBrush(RGB(1, 2, 3));
        gauge.highWater =
            std::max(gauge.highWater, static_cast<int>(LOWORD(reinterpret_cast<UINT_PTR>(probe))));
    }
    for (HBRUSH probe : probes)
        DeleteObject(probe);
    return gauge;
}

TEST(GdiGauge, SeesObjectsThatPileUp) {
    const GdiGauge before = MeasureGdi();
    std::vector<HBRUSH> kept;
    for (int i = 0; i < 300; ++i)
        kept.push_back(CreateSolidBrush(RGB(i % 256, 0, 0)));
    const GdiGauge after = MeasureGdi();
    for (HBRUSH brush : kept)
        DeleteObject(brush);
    EXPECT_GE(after.highWater - before.highWater, 200);
    if (before.objects != 0) {
        EXPECT_GE(after.objects - before.objects, 300u);
    }
}

TEST_F(SetupDialog, RepaintsLeaveNoGdiObjectsBehind) {
    Found(2010);
    ASSERT_TRUE(Open());
    const auto repaint = [this] {
        RedrawWindow(dialog->hwnd(), nullptr, nullptr,
                     RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
        PumpMessages();
    };
    for (int i = 0; i < 10; ++i) // let the system fill its caches first
        repaint();
    const GdiGauge before = MeasureGdi();
    for (int i = 0; i < 300; ++i)
        repaint();
    const GdiGauge after = MeasureGdi();
    EXPECT_LE(after.highWater - before.highWater, 32);
    EXPECT_LE(after.objects, before.objects + 5);
}

} // namespace
