// The package lookup and copy with real files in scratch folders: which files go where, the
// attributes they end with, the progress steps, and failures answered as the user would.
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

TEST_F(PackageCopy, PackageFolderIsDataBesideTheProgramOrAFlatPackageWithItsMarker) {
    struct Row {
        const char* name;
        bool dataFolder, dataFile, markerFile, markerFolder;
        const char* found; // nullptr: the missing-package message
    };
    const Row rows[] = {
        {"Data wins over the marker", true, false, true, false, "\\Data"},
        {"flat package", false, false, true, false, ""},
        {"a file named Data does not count", false, true, false, false, nullptr},
        {"a folder named like the marker does not count", false, false, false, true, nullptr},
    };
    for (const Row& row : rows) {
        TempDir exe;
        OverrideExecutableFolder(fw::WideFromAnsi(exe.path()));
        if (row.dataFolder)
            MakeFolders(exe / "Data");
        if (row.dataFile)
            WriteFileText(exe / "Data", "file");
        if (row.markerFile)
            WriteFileText(exe / "VK_ZiruzOrav2010.arx", "arx");
        if (row.markerFolder)
            MakeFolders(exe / "VK_ZiruzOrav2010.arx");
        MessageAnswers answers;
        std::string folder;
        EXPECT_EQ(GetPackageFolder(folder), row.found != nullptr) << row.name;
        if (row.found) {
            EXPECT_EQ(folder, exe.path() + row.found) << row.name;
            EXPECT_TRUE(answers.shown.empty()) << row.name;
        } else {
            ASSERT_EQ(answers.shown.size(), 1u) << row.name;
            EXPECT_EQ(answers.shown[0].text, kMissingPackageMessage);
            EXPECT_EQ(answers.shown[0].caption, L"V-软件安装");
            EXPECT_EQ(answers.shown[0].type, static_cast<UINT>(MB_OK));
        }
    }
}

// One package holding every kind of entry: skipped names in any letter case, the settings
// file, a sub-folder, read-only files on both sides, and more than a hundred files.
TEST_F(PackageCopy, EachEntryLandsWhereItBelongsWritableAndCounted) {
    MakeDataFolder();
    for (const char* name : {"setup.exe", "VORNIK.PRT5", "vornik_en.SHX", "Vornik_HZ.shx",
                             "SetUp.EXE.txt", "vornik.ini", "ro.arx", "old.arx"})
        AddFile(name);
    std::vector<std::string> expected = {"SetUp.EXE.txt", "old.arx", "ro.arx"};
    for (int i = 0; i < 120; ++i) {
        AddFile("f" + std::to_string(i) + ".dll");
        expected.push_back("f" + std::to_string(i) + ".dll");
    }
    MakeFolders(DataFolder() + "\\Sub");
    WriteFileText(DataFolder() + "\\Sub\\inner.arx", "inner");
    SetFileAttributesA((DataFolder() + "\\ro.arx").c_str(), FILE_ATTRIBUTE_READONLY);
    MakeFolders(installFolder);
    WriteFileText(Installed("old.arx"), "old");
    SetFileAttributesA(Installed("old.arx").c_str(), FILE_ATTRIBUTE_READONLY);
    MakeFolders(appData + "\\Vornik");
    WriteFileText(SettingsFile("vornik.ini"), "older settings");

    MessageAnswers answers;
    EXPECT_TRUE(Copy());
    EXPECT_TRUE(answers.shown.empty());
    auto installed = ListFiles(installFolder);
    std::sort(installed.begin(), installed.end());
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(installed, expected);
    EXPECT_FALSE(FolderExists(Installed("Sub")));
    EXPECT_EQ(ReadFileText(Installed("old.arx")), "content of old.arx");
    EXPECT_EQ(ReadFileText(Installed("f119.dll")), "content of f119.dll");
    for (const std::string& path :
         {Installed("old.arx"), Installed("ro.arx"), DataFolder() + "\\ro.arx"})
        EXPECT_FALSE(IsReadOnly(path)) << path;
    EXPECT_EQ(ListFiles(appData + "\\Vornik"), std::vector<std::string>{"vornik.ini"});
    EXPECT_EQ(ReadFileText(SettingsFile("vornik.ini")), "content of vornik.ini");
    // One step per entry (".", "..", 128 files, "Sub") and one for the end of the listing.
    EXPECT_EQ(Steps(), 132);
}

// A file held open as a running AutoCAD holds its add-in. Retry while it is held, then an
// answer that is no button of this box (it counts as Retry), then Retry once it is free.
TEST_F(PackageCopy, RetryCopiesTheFileOnceItIsReleased) {
    MakeDataFolder();
    AddFile("A.arx");
    MakeFolders(installFolder);
    fw::unique_file holder = HoldOpen(Installed("A.arx"));
    ASSERT_TRUE(holder);
    fw::SetMainWindow(progress.hwnd()); // any window stands in for the dialog
    const int answersInOrder[] = {IDRETRY, IDOK, IDRETRY};
    MessageAnswers answers([&](const ShownMessage&) {
        if (answers.shown.size() == 3)
            holder.reset();
        return answersInOrder[answers.shown.size() - 1];
    });
    EXPECT_TRUE(Copy());
    fw::SetMainWindow(nullptr);
    ASSERT_EQ(answers.shown.size(), 3u);
    for (const auto& shown : answers.shown) {
        EXPECT_EQ(shown.text, deploy::CopyFailureText(fw::WideFromAnsi(Installed("A.arx"))));
        EXPECT_EQ(shown.caption, L"V-软件安装");
        EXPECT_EQ(shown.type, static_cast<UINT>(MB_ABORTRETRYIGNORE)); // and no icon
        EXPECT_EQ(shown.owner, progress.hwnd());
    }
    EXPECT_EQ(ReadFileText(Installed("A.arx")), "content of A.arx");
}

// A destination path that does not fit the 260-byte buffer is never cut short and used: it
// fails like any other copy, and the message names the whole path. A box that cannot be
// shown at all (answer 0) stops the copy, since retrying without asking would never end.
TEST_F(PackageCopy, DestinationTooLongFailsAndAnUnshownBoxStops) {
    MakeDataFolder();
    AddFile("short.arx");
    const std::string longName = std::string(40, 'L') + ".arx";
    AddFile(longName);
    const std::string deepInstall =
        targetFolder + "\\" + std::string(240 - targetFolder.size() - 1, 'd');
    ASSERT_TRUE(CreateDirectoryA(deepInstall.c_str(), nullptr));
    {
        MessageAnswers answers([](const ShownMessage&) { return IDIGNORE; });
        EXPECT_TRUE(CopyPackage(InstallTarget{deepInstall, progress.bar()}));
        ASSERT_EQ(answers.shown.size(), 1u);
        EXPECT_EQ(answers.shown[0].text,
                  deploy::CopyFailureText(fw::WideFromAnsi(deepInstall + "\\" + longName)));
        EXPECT_EQ(ListFiles(deepInstall), std::vector<std::string>{"short.arx"});
    }
    MessageAnswers answers([](const ShownMessage&) { return 0; });
    EXPECT_FALSE(CopyPackage(InstallTarget{deepInstall, progress.bar()}));
    EXPECT_EQ(answers.shown.size(), 1u);
}

// Names the code page cannot spell. Read through it, the program's folder would come back
// with '?' and the package seem missing: the user is told what is really wrong. A package
// file of such a name has no ANSI path: its copy fails, and the message names it as it is.
TEST_F(PackageCopy, NamesTheCodePageCannotSpellAreNamedAsTheyAre) {
    const std::wstring folder = fw::WideFromAnsi(root.path()) + L"\\\ud55c";
    ASSERT_TRUE(CreateDirectoryW(folder.c_str(), nullptr));
    ASSERT_TRUE(CreateDirectoryW((folder + L"\\Data").c_str(), nullptr));
    OverrideExecutableFolder(folder);
    {
        MessageAnswers answers;
        std::string found;
        EXPECT_FALSE(GetPackageFolder(found));
        ASSERT_EQ(answers.shown.size(), 1u);
        EXPECT_EQ(Utf8(answers.shown[0].text), Utf8(kUnspellableFolderMessage));
        EXPECT_EQ(answers.shown[0].caption, L"V-软件安装");
    }
    OverrideExecutableFolder(fw::WideFromAnsi(exeFolder));
    MakeDataFolder();
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
