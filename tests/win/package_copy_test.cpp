// What no scenario can bring about, run in this process through a seam: a package listing
// that breaks off part-way, as on a lost network drive.
#include "deploy/package_copy.h"
#include "deploy/package_folder.h"
#include "framework/message_box.h"
#include "tests/win/install_fixture.h"

#include <commctrl.h>

using namespace e2e;

namespace {

// Reads the listing's first three further entries, then fails as a lost network drive does.
BOOL WINAPI BreakingFindNext(HANDLE listing, WIN32_FIND_DATAW* entry) {
    static int reads = 0;
    if (++reads <= 3)
        return FindNextFileW(listing, entry);
    SetLastError(ERROR_NETNAME_DELETED);
    return FALSE;
}

// Only the end of the listing ends the copy: one that breaks off is a failed copy with the
// outcome of Abort, so that nothing is registered over a half-copied package.
TEST_F(InstallE2E, ListingThatBreaksOffIsAFailedCopy) {
    std::vector<std::wstring> shown; // answered Abort, never left waiting for a button
    fw::SetMessageBoxHandler([&](HWND, const std::wstring& text, const std::wstring&, UINT) {
        shown.push_back(text);
        return IDABORT;
    });
    SetEnvironmentVariableA("APPDATA", appData.c_str());
    OverrideExecutableFolder(fw::WideFromAnsi(package));
    OverrideFindNextEntry(BreakingFindNext);
    MakeFolders(installDir);
    InitCommonControls();
    fw::ProgressBar bar;
    bar.Attach(CreateWindowExW(0, PROGRESS_CLASSW, L"", WS_POPUP, 0, 0, 9, 9, nullptr, nullptr,
                               GetModuleHandleW(nullptr), nullptr));
    EXPECT_FALSE(CopyPackage(InstallTarget{installDir, bar}));
    OverrideFindNextEntry(nullptr);
    OverrideExecutableFolder(std::nullopt);
    fw::SetMessageBoxHandler(nullptr);
    DestroyWindow(bar.hwnd());
    EXPECT_EQ(shown, std::vector<std::wstring>{CopyFailure(Wide(data + "\\*.*"))});
    EXPECT_LT(TakeFolder(installDir).size(), 7u);
}

} // namespace
