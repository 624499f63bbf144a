// The real setup dialog, created from template 141 over a prepared release table: which
// release boxes the user sees, the Install rule, the texts, colours and fonts.
#include "tests/win/setup_dialog_support.h"

#include "framework/message_box.h"

#include <set>
#include <thread>

using namespace setup_testing;
using testing_support::Utf8;

namespace {

constexpr int kLast32BitRelease = 9; // 2016

// Every release: visible up to 2016 only, and disabled and unticked unless found.
void ExpectBoxes32Bit(const SetupDialogTest& test, const std::set<int>& foundYears) {
    for (int k = 0; k < acad::kReleaseCount; ++k) {
        const BoxState box = test.ReadBox(k);
        const bool found = foundYears.count(acad::ReleaseYear(k)) != 0;
        if (k > kLast32BitRelease) {
            EXPECT_FALSE(box.visible) << YearName(k);
            EXPECT_EQ(box.check, BST_UNCHECKED) << YearName(k);
        } else {
            EXPECT_TRUE(box.visible) << YearName(k);
            EXPECT_EQ(box.enabled, found) << YearName(k);
            EXPECT_EQ(box.check, found ? BST_CHECKED : BST_UNCHECKED) << YearName(k);
        }
    }
}

using SetupDialog = SetupDialogTest;

TEST_F(SetupDialog, NoAutoCadLeavesOnlyCancelAndBrowse) {
    g_nTargetBits = 32;
    ASSERT_TRUE(Open());
    ExpectBoxes32Bit(*this, {});
    for (int tick : dialog->m_bRelease)
        EXPECT_EQ(tick, 0);
    EXPECT_FALSE(Enabled(IDC_INSTALL));
    EXPECT_TRUE(Visible(IDC_INSTALL));
    EXPECT_TRUE(Enabled(IDC_BROWSE) && Visible(IDC_BROWSE));
    EXPECT_TRUE(Enabled(IDCANCEL) && Visible(IDCANCEL));
}

TEST_F(SetupDialog, SelectionScreenShowsFolderRowAndHidesCompletionParts) {
    Found(2010);
    ASSERT_TRUE(Open());
    for (int id : {IDC_COMPONENTS_LABEL, IDC_PATH_LABEL, IDC_INSTALL_PATH, IDC_BROWSE, IDC_INSTALL,
                   IDCANCEL, IDC_TITLE, IDC_EDITION})
        EXPECT_TRUE(Visible(id)) << id;
    for (int id : {IDOK, IDC_PROGRESS, IDC_MENU_PICTURE, IDC_DONE_LABEL})
        EXPECT_FALSE(Visible(id)) << id;
    EXPECT_EQ(Utf8(Text(IDC_INSTALL_PATH)), "C:\\Vornik");
    EXPECT_EQ(dialog->m_strInstallPath, "C:\\Vornik");
    EXPECT_EQ(fw::GetMainWindow(), dialog->hwnd()) << "owner of the installer's message boxes";
}

TEST_F(SetupDialog, Only2018In32BitEditionLeavesInstallDisabled) {
    g_nTargetBits = 32;
    Found(2018);
    ASSERT_TRUE(Open());
    ExpectBoxes32Bit(*this, {}); // 2018 is found but hidden
    EXPECT_EQ(dialog->m_bRelease[11], 0);
    EXPECT_FALSE(Enabled(IDC_INSTALL));
}

TEST_F(SetupDialog, Found2012And2020In32BitEdition) {
    g_nTargetBits = 32;
    Found(2012);
    Found(2020);
    ASSERT_TRUE(Open());
    ExpectBoxes32Bit(*this, {2012});
    EXPECT_EQ(dialog->m_bRelease[5], 1);
    EXPECT_EQ(dialog->m_bRelease[13], 0);
    EXPECT_TRUE(Enabled(IDC_INSTALL));
}

TEST_F(SetupDialog, SixtyFourBitEditionShowsEveryRelease) {
    g_nTargetBits = 64;
    Found(2007);
    Found(2012);
    Found(2020);
    Found(2027);
    ASSERT_TRUE(Open());
    const std::set<int> found = {2007, 2012, 2020, 2027};
    for (int k = 0; k < acad::kReleaseCount; ++k) {
        const BoxState box = ReadBox(k);
        const bool isFound = found.count(acad::ReleaseYear(k)) != 0;
        EXPECT_TRUE(box.visible) << YearName(k);
        EXPECT_EQ(box.enabled, isFound) << YearName(k);
        EXPECT_EQ(box.check, isFound ? BST_CHECKED : BST_UNCHECKED) << YearName(k);
        EXPECT_EQ(dialog->m_bRelease[k], isFound ? 1 : 0) << YearName(k);
    }
    EXPECT_TRUE(Enabled(IDC_INSTALL));
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

TEST_F(SetupDialog, ClickReadsTheFolderTextBack) {
    Found(2010);
    ASSERT_TRUE(Open());
    SetWindowTextW(Item(IDC_INSTALL_PATH), L"D:\\Tools\\");
    Click(kReleaseBoxIds[3]);
    EXPECT_EQ(dialog->m_strInstallPath, "D:\\Tools\\");
}

TEST_F(SetupDialog, TitleShowsTheVersion) {
    struct Row {
        int version;
        const wchar_t* title;
    };
    for (const Row& row :
         {Row{20260402, L"批打印软件 V2026.04.02"}, Row{20261215, L"批打印软件 V2026.12.15"},
          Row{20271009, L"批打印软件 V2027.10.09"}}) {
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

TEST_F(SetupDialog, SmallIconIsSetLargeIsNot) {
    ASSERT_TRUE(Open());
    EXPECT_NE(SendMessageW(dialog->hwnd(), WM_GETICON, ICON_SMALL, 0), 0);
    EXPECT_EQ(SendMessageW(dialog->hwnd(), WM_GETICON, ICON_BIG, 0), 0);
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
        {"components label", WM_CTLCOLORSTATIC, IDC_COMPONENTS_LABEL, RGB(0, 0, 0), TRANSPARENT, 0,
         0},
        {"title", WM_CTLCOLORSTATIC, IDC_TITLE, label, TRANSPARENT, 14, 600},
        {"edition", WM_CTLCOLORSTATIC, IDC_EDITION, label, TRANSPARENT, 13, 400},
        {"folder field stays opaque", WM_CTLCOLOREDIT, IDC_INSTALL_PATH, RGB(0, 0, 0), OPAQUE, 0,
         0},
        {"push button", WM_CTLCOLORBTN, IDC_INSTALL, RGB(0, 0, 0), TRANSPARENT, 0, 0},
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

TEST_F(SetupDialog, LabelsUseTheirOwnFontsAcrossPaints) {
    ASSERT_TRUE(Open());
    LOGFONTW title{};
    GetObjectW(reinterpret_cast<HFONT>(SendMessageW(Item(IDC_TITLE), WM_GETFONT, 0, 0)),
               sizeof(title), &title);
    EXPECT_EQ(title.lfHeight, 14);
    EXPECT_EQ(title.lfWeight, 600);
    // Every colour request answers the same brush and the same font: nothing per message.
    const PaintSetup first = AskColours(dialog->hwnd(), WM_CTLCOLORSTATIC, Item(IDC_TITLE));
    for (int i = 0; i < 20; ++i) {
        HDC dc = GetDC(Item(IDC_TITLE));
        const HFONT before = static_cast<HFONT>(GetCurrentObject(dc, OBJ_FONT));
        const auto brush =
            SendMessageW(dialog->hwnd(), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                         reinterpret_cast<LPARAM>(Item(IDC_TITLE)));
        EXPECT_EQ(reinterpret_cast<HBRUSH>(brush), dialog->m_brushBack.get());
        EXPECT_EQ(GetCurrentObject(dc, OBJ_FONT),
                  reinterpret_cast<HGDIOBJ>(SendMessageW(Item(IDC_TITLE), WM_GETFONT, 0, 0)));
        SelectObject(dc, before);
        ReleaseDC(Item(IDC_TITLE), dc);
    }
    EXPECT_EQ(first.font.lfHeight, 14);
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

// The modal run, driven from a second thread as a user would: Enter on the selection screen
// must not end the installer; Cancel ends it with IDCANCEL.
TEST_F(SetupDialog, ModalRunEndsByCancelNotByEnter) {
    Found(2010);
    Dlg_Setup modal(table);
    const DWORD mainThread = GetCurrentThreadId();
    bool stillOpenAfterEnter = false;
    std::thread user([&] {
        const HWND window = FindSetupDialog();
        if (!window) { // let the run end instead of waiting forever
            PostThreadMessageW(mainThread, WM_QUIT, 0, 0);
            return;
        }
        SendMessageW(window, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
        stillOpenAfterEnter = IsWindow(window) && IsWindowVisible(window);
        SendMessageW(GetDlgItem(window, IDCANCEL), BM_CLICK, 0, 0);
        if (IsWindow(window))
            PostMessageW(window, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    });
    const INT_PTR result = modal.DoModal();
    user.join();
    EXPECT_TRUE(stillOpenAfterEnter);
    EXPECT_EQ(result, IDCANCEL);
    EXPECT_EQ(fw::GetMainWindow(), nullptr) << "the ended dialog is no longer the main window";
}

TEST_F(SetupDialog, ModalRunEndsWithOkOnCompletionScreen) {
    Found(2010);
    Dlg_Setup modal(table);
    const DWORD mainThread = GetCurrentThreadId();
    std::thread user([&] {
        const HWND window = FindSetupDialog();
        if (!window) { // let the run end instead of waiting forever
            PostThreadMessageW(mainThread, WM_QUIT, 0, 0);
            return;
        }
        ShowWindow(GetDlgItem(window, IDOK), SW_SHOW); // as the completion screen does
        SendMessageW(GetDlgItem(window, IDOK), BM_CLICK, 0, 0);
        if (IsWindow(window)) // OK failed: end the run anyway, the result tells
            PostMessageW(window, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    });
    const INT_PTR result = modal.DoModal();
    user.join();
    EXPECT_EQ(result, IDOK);
    EXPECT_EQ(modal.m_strInstallPath, "C:\\Vornik") << "OK reads the controls back";
}

TEST_F(SetupDialog, CloseBoxEndsWithCancel) {
    ASSERT_TRUE(Open());
    const HWND window = dialog->hwnd();
    SendMessageW(window, WM_CLOSE, 0, 0);
    PumpMessages();
    EXPECT_FALSE(IsWindow(window));
    EXPECT_EQ(dialog->GetResult(), IDCANCEL);
}

} // namespace
