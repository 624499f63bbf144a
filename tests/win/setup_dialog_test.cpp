// The real setup dialog, created from template 141 over a prepared release table: which
// release boxes each edition shows, and repaints that leave no GDI objects behind. (Texts,
// colours and fonts are what the screenshots of the run command show.)
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
