// What the end-to-end scenarios cannot show of the package copy: its progress steps, and a
// listing that breaks off part-way.
#include "deploy/package_copy.h"
#include "deploy/package_plan.h"
#include "deploy/setup_messages.h"
#include "framework/text_convert.h"
#include "tests/win/package_support.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace package_testing;

namespace {

using PackageCopy = PackageTest;

// Names left out in any letter case, the settings file, a sub-folder: one progress step per
// listing entry, and one for the end of the listing.
TEST_F(PackageCopy, SkippedNamesInAnyCaseAndOneStepPerEntry) {
    MakeDataFolder();
    for (const char* name : {"setup.exe", "VORNIK.PRT5", "vornik_en.SHX", "vornik.ini", "A.arx"})
        AddFile(name);
    MakeFolders(DataFolder() + "\\Sub");
    EXPECT_TRUE(Copy());
    EXPECT_EQ(ListFiles(installFolder), std::vector<std::string>{"A.arx"});
    EXPECT_EQ(ReadFileText(SettingsFile("vornik.ini")), "content of vornik.ini");
    EXPECT_EQ(Steps(), 9); // ".", "..", five files, "Sub", the end
}

// Reads the listing's first three further entries, then fails as a lost network drive does.
int g_reads = 0;
BOOL WINAPI BreakingFindNext(HANDLE listing, WIN32_FIND_DATAW* entry) {
    if (++g_reads <= 3)
        return FindNextFileW(listing, entry);
    SetLastError(ERROR_NETNAME_DELETED);
    return FALSE;
}

// Only the end of the listing ends the copy: one that breaks off is a failed copy with the
// outcome of Abort, so that nothing is registered over a half-copied package.
TEST_F(PackageCopy, ListingThatBreaksOffIsAFailedCopy) {
    MakeDataFolder();
    for (const char* name : {"A.arx", "B.dll", "C.cuix", "D.lsp", "E.fas"})
        AddFile(name);
    OverrideFindNextEntry(BreakingFindNext);
    MessageAnswers answers;
    EXPECT_FALSE(Copy());
    OverrideFindNextEntry(nullptr);
    ASSERT_EQ(answers.shown.size(), 1u);
    EXPECT_EQ(answers.shown[0].text,
              deploy::CopyFailureText(fw::WideFromAnsi(DataFolder() + "\\*.*")));
    EXPECT_LT(ListFiles(installFolder).size(), 5u);
}

} // namespace
