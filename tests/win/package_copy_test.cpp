// What the end-to-end scenarios cannot show of the package copy: its progress steps, and a
// listing that breaks off part-way.
#include "deploy/package_copy.h"
#include "deploy/package_folder.h"
#include "deploy/package_plan.h"
#include "framework/message_box.h"
#include "tests/win/test_support.h"

#include <commctrl.h>
#include <gtest/gtest.h>

using namespace testing_support;

namespace {

// A package beside a stand-in program folder, APPDATA in the scratch folder, and a real
// progress bar with room for every step.
class PackageCopy : public testing::Test {
  protected:
    void SetUp() override {
        // A failure box is answered Abort, never left waiting for someone to press a button.
        fw::SetMessageBoxHandler([this](HWND, const std::wstring& text, const std::wstring&, UINT) {
            shown.push_back(text);
            return IDABORT;
        });
        MakeFolders(data);
        MakeFolders(root / "Target");
        MakeFolders(root / "Roaming");
        SetEnvironmentVariableA("APPDATA", (root / "Roaming").c_str());
        OverrideExecutableFolder(fw::WideFromAnsi(root / "pkg"));
        InitCommonControls();
        bar.Attach(CreateWindowExW(0, PROGRESS_CLASSW, L"", WS_POPUP, 0, 0, 9, 9, nullptr, nullptr,
                                   GetModuleHandleW(nullptr), nullptr));
        bar.SetRange(0, 1000);
        bar.SetStep(1);
    }
    void TearDown() override {
        OverrideExecutableFolder(std::nullopt);
        fw::SetMessageBoxHandler(nullptr);
        DestroyWindow(bar.hwnd());
    }
    void Add(std::initializer_list<const char*> names) {
        for (const char* name : names)
            WriteFileText(data + "\\" + name, name);
    }
    bool Copy() { return CopyPackage(InstallTarget{installFolder, bar}); }

    TempDir root;
    const std::string data = root / "pkg\\Data";
    const std::string installFolder = root / "Target\\V-ZiruzOrav";
    fw::ProgressBar bar;
    std::vector<std::wstring> shown; // message box texts
};

// Names left out in any letter case, the settings file, a sub-folder: one progress step per
// listing entry, and one for the end of the listing.
TEST_F(PackageCopy, SkippedNamesInAnyCaseAndOneStepPerEntry) {
    Add({"setup.exe", "VORNIK.PRT5", "vornik_en.SHX", "vornik.ini", "A.arx"});
    MakeFolders(data + "\\Sub");
    EXPECT_TRUE(Copy());
    EXPECT_TRUE(shown.empty());
    EXPECT_EQ(TakeFolder(installFolder), (Snapshot{{installFolder + "\\A.arx", "A.arx"}}));
    EXPECT_EQ(ReadFileText(root / "Roaming\\Vornik\\vornik.ini"), "vornik.ini");
    EXPECT_EQ(bar.GetPos(), 9); // ".", "..", five files, "Sub", the end
}

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
TEST_F(PackageCopy, ListingThatBreaksOffIsAFailedCopy) {
    Add({"A.arx", "B.dll", "C.cuix", "D.lsp", "E.fas"});
    OverrideFindNextEntry(BreakingFindNext);
    EXPECT_FALSE(Copy());
    OverrideFindNextEntry(nullptr);
    EXPECT_EQ(shown,
              std::vector<std::wstring>{deploy::CopyFailureText(fw::WideFromAnsi(data + "\\*.*"))});
    EXPECT_LT(TakeFolder(installFolder).size(), 5u);
}

} // namespace
