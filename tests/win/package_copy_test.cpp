// The package copy with real files in scratch folders: which files go where, attributes,
// sub-folders, the progress steps and large packages.
#include "deploy/package_copy.h"
#include "tests/win/package_support.h"

#include <gtest/gtest.h>

#include <shlobj.h>

#include <algorithm>
#include <cstdio>

using namespace package_testing;

namespace {

using PackageCopy = PackageTest;

TEST_F(PackageCopy, SkipListIgnoresLetterCaseAndTheSettingsFileGoesToAppData) {
    MakeDataFolder();
    for (const char* name : {"setup.exe", "VORNIK.PRT5", "vornik_en.SHX", "Vornik_HZ.shx",
                             "SetUp.EXE.txt", "B.dll", "Vornik.Ini"})
        AddFile(name);
    MessageAnswers answers;
    EXPECT_TRUE(Copy());
    EXPECT_TRUE(answers.shown.empty());
    auto installed = ListFiles(installFolder);
    std::sort(installed.begin(), installed.end());
    EXPECT_EQ(installed, (std::vector<std::string>{"B.dll", "SetUp.EXE.txt"}));
    EXPECT_EQ(ReadFileText(Installed("B.dll")), "content of B.dll");
    EXPECT_EQ(ReadFileText(SettingsFile("Vornik.Ini")), "content of Vornik.Ini");
}

TEST_F(PackageCopy, SettingsFileKeepsItsLetterCaseAndReplacesAnOlderCopy) {
    MakeDataFolder();
    AddFile("vornik.ini");
    MakeFolders(appData + "\\Vornik");
    WriteFileText(SettingsFile("vornik.ini"), "older settings");
    EXPECT_TRUE(Copy());
    EXPECT_EQ(ListFiles(appData + "\\Vornik"), std::vector<std::string>{"vornik.ini"});
    EXPECT_EQ(ReadFileText(SettingsFile("vornik.ini")), "content of vornik.ini");
    EXPECT_FALSE(FileExists(Installed("vornik.ini")));
}

// Without a usable APPDATA the settings file goes to the roaming folder the shell reports,
// here pointed at a scratch folder through the (redirected) user shell folders key.
TEST_F(PackageCopy, WithoutUsableAppDataTheShellsRoamingFolderIsUsed) {
    ScratchRegistry registry;
    TempDir roaming;
    SetRegRaw(HKEY_CURRENT_USER,
              "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell Folders",
              "AppData", REG_EXPAND_SZ, roaming.path() + std::string(1, '\0'));
    char reported[MAX_PATH] = "";
    SHGetFolderPathA(nullptr, CSIDL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, reported);
    if (roaming.path() != reported)
        GTEST_SKIP() << "the shell does not read the redirected user shell folders";

    MakeDataFolder();
    AddFile("Vornik.Ini");
    const std::string tooLong = "C:\\" + std::string(300, 'r');
    for (const char* value : {static_cast<const char*>(nullptr), tooLong.c_str()}) {
        AppDataScope scope(value);
        EXPECT_TRUE(Copy());
        EXPECT_EQ(ReadFileText(roaming / "Vornik\\Vornik.Ini"), "content of Vornik.Ini")
            << (value ? "APPDATA too long" : "APPDATA unset");
        DeleteFileA((roaming / "Vornik\\Vornik.Ini").c_str());
    }
}

TEST_F(PackageCopy, SubFoldersAreNeitherCopiedNorEntered) {
    MakeDataFolder();
    AddFile("A.arx");
    MakeFolders(DataFolder() + "\\Sub");
    WriteFileText(DataFolder() + "\\Sub\\Inner.arx", "inner");
    SetFileAttributesA((DataFolder() + "\\Sub").c_str(), FILE_ATTRIBUTE_READONLY);
    MakeFolders(DataFolder() + "\\B.arx"); // a folder with a file's name
    MessageAnswers answers;
    EXPECT_TRUE(Copy());
    EXPECT_TRUE(answers.shown.empty());
    EXPECT_EQ(ListFiles(installFolder), std::vector<std::string>{"A.arx"});
    EXPECT_FALSE(FolderExists(Installed("Sub")));
    EXPECT_FALSE(FolderExists(Installed("B.arx")));
}

TEST_F(PackageCopy, ReadOnlyPackageFileEndsWritableOnBothSides) {
    MakeDataFolder();
    AddFile("A.arx");
    const std::string source = DataFolder() + "\\A.arx";
    SetFileAttributesA(source.c_str(), FILE_ATTRIBUTE_READONLY);
    ASSERT_TRUE(IsReadOnly(source));
    EXPECT_TRUE(Copy());
    EXPECT_FALSE(IsReadOnly(source));
    EXPECT_EQ(ReadFileText(Installed("A.arx")), "content of A.arx");
    EXPECT_FALSE(IsReadOnly(Installed("A.arx")));
}

// Under Wine run as root the read-only flag does not stop a write, so there only the end
// state shows; elsewhere the copy itself fails unless the flag is cleared before it.
TEST_F(PackageCopy, ReadOnlyExistingDestinationIsReplacedWithoutMessage) {
    MakeDataFolder();
    AddFile("A.arx");
    MakeFolders(installFolder);
    WriteFileText(Installed("A.arx"), "old");
    SetFileAttributesA(Installed("A.arx").c_str(), FILE_ATTRIBUTE_READONLY);
    ASSERT_TRUE(IsReadOnly(Installed("A.arx")));
    MessageAnswers answers;
    EXPECT_TRUE(Copy());
    EXPECT_TRUE(answers.shown.empty());
    EXPECT_EQ(ReadFileText(Installed("A.arx")), "content of A.arx");
    EXPECT_FALSE(IsReadOnly(Installed("A.arx")));
}

TEST_F(PackageCopy, OneProgressStepPerEntryAndOneForTheEnd) {
    struct Row {
        const char* name;
        std::vector<std::string> files;
        bool withSubFolder;
        int steps;
    };
    const Row rows[] = {
        {"only . and ..", {}, false, 3},
        {"one file", {"A.arx"}, false, 4},
        {"skipped files and a sub-folder count too", {"A.arx", "setup.exe", "Vornik.Ini"}, true, 7},
    };
    for (const Row& row : rows) {
        TempDir package;
        OverrideExecutableFolder(fw::WideFromAnsi(package.path()));
        MakeFolders(package / "Data");
        for (const auto& name : row.files)
            WriteFileText(package / ("Data\\" + name), name);
        if (row.withSubFolder)
            MakeFolders(package / "Data\\Sub");
        progress.bar().SetPos(0);
        EXPECT_TRUE(Copy()) << row.name;
        EXPECT_EQ(Steps(), row.steps) << row.name;
    }
}

TEST_F(PackageCopy, EveryFileOfALargePackageIsCopied) {
    MakeDataFolder();
    const int count = 150;
    for (int i = 0; i < count; ++i) {
        char name[32];
        std::snprintf(name, sizeof name, "file%03d.arx", i);
        AddFile(name);
    }
    MessageAnswers answers;
    EXPECT_TRUE(Copy());
    EXPECT_TRUE(answers.shown.empty());
    EXPECT_EQ(ListFiles(installFolder).size(), static_cast<size_t>(count));
    EXPECT_EQ(ReadFileText(Installed("file149.arx")), "content of file149.arx");
    EXPECT_EQ(ReadFileText(Installed("file000.arx")), "content of file000.arx");
    EXPECT_EQ(Steps(), count + 3);
}

// Under Wine, which keeps no alternate data streams, "a.arx:Zone.Identifier" is a file of
// its own beside a.arx; there the check only shows that the removal leaves a.arx as it was.
// On Windows it is the stream, and the mark is gone afterwards.
TEST(RemoveZoneIdentifier, RemovesTheMarkAndLeavesTheFile) {
    TempDir dir;
    const std::string path = dir / "a.arx";
    WriteFileText(path, "module");
    EXPECT_FALSE(RemoveZoneIdentifier(path));
    EXPECT_EQ(ReadFileText(path), "module");

    const std::string stream = path + ":Zone.Identifier";
    if (!fw::unique_file(CreateFileA(stream.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                     FILE_ATTRIBUTE_NORMAL, nullptr)))
        GTEST_SKIP() << "this file system keeps no alternate data streams";
    EXPECT_TRUE(RemoveZoneIdentifier(path));
    EXPECT_FALSE(fw::unique_file(CreateFileA(stream.c_str(), GENERIC_READ, 0, nullptr,
                                             OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr)));
    EXPECT_EQ(ReadFileText(path), "module");
}

} // namespace
