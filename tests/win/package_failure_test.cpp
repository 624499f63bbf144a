// Failed copies made real: a destination held open without sharing, as a running AutoCAD
// holds its add-in, and paths too long for the path buffers. The test answers the failure
// message as the user would.
#include "deploy/package_copy.h"
#include "deploy/package_plan.h"
#include "deploy/setup_messages.h"
#include "framework/text_convert.h"
#include "tests/win/package_support.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace package_testing;

namespace {

class PackageFailure : public PackageTest {
  protected:
    void SetUp() override {
        PackageTest::SetUp();
        MakeDataFolder();
        for (const char* name : {"A.arx", "B.dll", "C.cuix", "D.lsp", "E.fas"})
            AddFile(name);
        listed = ListFiles(DataFolder());
        MakeFolders(installFolder);
        fw::SetMainWindow(progress.hwnd()); // any window stands in for the dialog
    }
    void TearDown() override {
        fw::SetMainWindow(nullptr);
        PackageTest::TearDown();
    }
    void ExpectFailureMessage(const ShownMessage& shown, const std::string& destination) const {
        EXPECT_EQ(shown.text, deploy::CopyFailureText(fw::WideFromAnsi(destination)))
            << Utf8(shown.text);
        EXPECT_EQ(shown.caption, L"V-软件安装");
        EXPECT_EQ(shown.type, static_cast<UINT>(MB_ABORTRETRYIGNORE)); // and no icon
        EXPECT_EQ(shown.owner, progress.hwnd());
    }
    bool IsCopied(const std::string& name) const {
        return ReadFileText(Installed(name)) == "content of " + name;
    }

    std::vector<std::string> listed; // the package files in the order the copy meets them
};

TEST_F(PackageFailure, IgnoreSkipsTheFileAndCopiesTheRest) {
    const std::string locked = listed.front();
    fw::unique_file holder = HoldOpen(Installed(locked));
    ASSERT_TRUE(holder);
    MessageAnswers answers([](const ShownMessage&) { return IDIGNORE; });
    EXPECT_TRUE(Copy());
    ASSERT_EQ(answers.shown.size(), 1u);
    ExpectFailureMessage(answers.shown[0], Installed(locked));
    holder.reset();
    EXPECT_EQ(ReadFileText(Installed(locked)), "");
    for (const auto& name : listed) {
        if (name != locked) {
            EXPECT_TRUE(IsCopied(name)) << name;
        }
    }
    EXPECT_EQ(Steps(), static_cast<int>(listed.size()) + 3);
}

TEST_F(PackageFailure, AbortStopsAndKeepsWhatWasCopiedBefore) {
    const size_t lockedIndex = listed.size() / 2;
    const std::string locked = listed[lockedIndex];
    fw::unique_file holder = HoldOpen(Installed(locked));
    ASSERT_TRUE(holder);
    MessageAnswers answers([](const ShownMessage&) { return IDABORT; });
    EXPECT_FALSE(Copy());
    EXPECT_EQ(answers.shown.size(), 1u);
    holder.reset();
    for (size_t i = 0; i < listed.size(); ++i) {
        if (i < lockedIndex) {
            EXPECT_TRUE(IsCopied(listed[i])) << listed[i] << " was copied before the failure";
        } else if (i > lockedIndex) {
            EXPECT_FALSE(FileExists(Installed(listed[i]))) << listed[i] << " came after it";
        }
    }
}

TEST_F(PackageFailure, RetryAfterTheFileIsReleasedCopiesIt) {
    const std::string locked = listed.back();
    fw::unique_file holder = HoldOpen(Installed(locked));
    ASSERT_TRUE(holder);
    // Retry while still held, then an answer that is no button of this box (counts as
    // Retry), then Retry once the file is free.
    const int answersInOrder[] = {IDRETRY, IDOK, IDRETRY};
    MessageAnswers answers([&](const ShownMessage&) {
        const size_t shownSoFar = answers.shown.size();
        if (shownSoFar == 3)
            holder.reset();
        return answersInOrder[shownSoFar - 1];
    });
    EXPECT_TRUE(Copy());
    ASSERT_EQ(answers.shown.size(), 3u);
    for (const auto& shown : answers.shown)
        ExpectFailureMessage(shown, Installed(locked));
    for (const auto& name : listed)
        EXPECT_TRUE(IsCopied(name)) << name;
}

// A failure box that could not be shown at all answers 0: retrying without asking would
// never end, so the copy stops as after Abort.
TEST_F(PackageFailure, BoxThatCannotBeShownStopsTheCopy) {
    fw::unique_file holder = HoldOpen(Installed(listed.front()));
    ASSERT_TRUE(holder);
    MessageAnswers answers([](const ShownMessage&) { return 0; });
    EXPECT_FALSE(Copy());
    EXPECT_EQ(answers.shown.size(), 1u);
}

// A destination path that does not fit the 260-byte buffer is never cut short and used:
// it fails like any other copy, and the message names the whole path.
TEST_F(PackageFailure, DestinationTooLongForThePathBufferIsAFailedCopy) {
    const std::string longName = std::string(40, 'L') + ".arx";
    AddFile(longName);
    // An install folder that leaves room for the short names but not for the long one.
    const std::string deepInstall =
        targetFolder + "\\" + std::string(240 - targetFolder.size() - 1, 'd');
    ASSERT_EQ(deepInstall.size(), 240u);
    ASSERT_TRUE(CreateDirectoryA(deepInstall.c_str(), nullptr));

    MessageAnswers answers([](const ShownMessage&) { return IDIGNORE; });
    const InstallTarget target{deepInstall, progress.bar()};
    EXPECT_TRUE(CopyPackage(target));
    ASSERT_EQ(answers.shown.size(), 1u);
    ExpectFailureMessage(answers.shown[0], deepInstall + "\\" + longName);
    auto copied = ListFiles(deepInstall);
    std::sort(copied.begin(), copied.end());
    std::sort(listed.begin(), listed.end());
    EXPECT_EQ(copied, listed); // every short name, and nothing cut from the long one
}

// A name the code page cannot spell has no ANSI path: its copy fails, and the message names
// the file as it is really called rather than with '?'.
TEST_F(PackageFailure, FileNameTheCodePageCannotSpellIsNamedInTheMessage) {
    const std::wstring name = L"\ud55c.arx";
    fw::unique_file(CreateFileW((fw::WideFromAnsi(DataFolder()) + L"\\" + name).c_str(),
                                GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr));
    MessageAnswers answers([](const ShownMessage&) { return IDIGNORE; });
    EXPECT_TRUE(Copy());
    ASSERT_EQ(answers.shown.size(), 1u);
    EXPECT_EQ(Utf8(answers.shown[0].text),
              Utf8(deploy::CopyFailureText(fw::WideFromAnsi(installFolder) + L"\\" + name)));
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
TEST_F(PackageFailure, ListingThatBreaksOffIsAFailedCopy) {
    OverrideFindNextEntry(BreakingFindNext);
    MessageAnswers answers;
    EXPECT_FALSE(Copy());
    OverrideFindNextEntry(nullptr);
    ASSERT_EQ(answers.shown.size(), 1u);
    EXPECT_EQ(answers.shown[0].text,
              deploy::CopyFailureText(fw::WideFromAnsi(DataFolder() + "\\*.*")));
    EXPECT_LT(ListFiles(installFolder).size(), listed.size());
}

// Creates every level of a path that may be longer than the ANSI functions take.
void MakeLongFolders(const std::string& path) {
    for (size_t pos = path.find('\\', 3);; pos = path.find('\\', pos + 1)) {
        const std::string level = path.substr(0, pos);
        CreateDirectoryW(fw::WideFromAnsi("\\\\?\\" + level).c_str(), nullptr);
        if (pos == std::string::npos)
            break;
    }
}

// The package folder is found, but its listing pattern would not fit the path buffer: no
// file can be copied, so the copy reports the package as missing instead of success.
TEST_F(PackageFailure, PackageThatCannotBeListedIsMissing) {
    // 251 bytes + "\Data" = 256: the folder is found; "\*.*" after it makes 260, one too many.
    std::string deepExe = root.path();
    while (251 - deepExe.size() > 61)
        deepExe += "\\" + std::string(40, 'x');
    deepExe += "\\" + std::string(251 - deepExe.size() - 1, 'y');
    ASSERT_EQ(deepExe.size(), 251u);
    MakeLongFolders(deepExe + "\\Data");
    OverrideExecutableFolder(fw::WideFromAnsi(deepExe));
    std::string packageFolder;
    ASSERT_TRUE(GetPackageFolder(packageFolder)) << "the folder itself is found";

    MessageAnswers answers;
    EXPECT_FALSE(Copy());
    ASSERT_EQ(answers.shown.size(), 1u);
    EXPECT_EQ(answers.shown[0].text, kMissingPackageMessage);
}

} // namespace
