// Finding the package: the Data folder beside the executable, or the executable's own folder
// in a flat package marked by the add-in's module.
#include "deploy/setup_messages.h"
#include "tests/win/package_support.h"

#include <gtest/gtest.h>

using namespace package_testing;

namespace {

const char* const kMarker = "VK_ZiruzOrav2010.arx";

class PackageFolder : public PackageTest {
  protected:
    void ExpectMissingPackageMessage(const MessageAnswers& answers) const {
        ASSERT_EQ(answers.shown.size(), 1u);
        EXPECT_EQ(answers.shown[0].text, kMissingPackageMessage) << Utf8(answers.shown[0].text);
        EXPECT_EQ(answers.shown[0].caption, L"V-软件安装");
        EXPECT_EQ(answers.shown[0].type, static_cast<UINT>(MB_OK));
        EXPECT_EQ(answers.shown[0].owner, fw::GetMainWindow());
    }
};

TEST_F(PackageFolder, DataFolderWinsOverMarkerFile) {
    MakeDataFolder();
    WriteFileText(exeFolder + "\\" + kMarker, "arx");
    MessageAnswers answers;
    std::string folder = "stale";
    EXPECT_TRUE(GetPackageFolder(folder));
    EXPECT_EQ(folder, exeFolder + "\\Data");
    EXPECT_TRUE(answers.shown.empty());
}

TEST_F(PackageFolder, MarkerFileMakesTheExecutableFolderThePackage) {
    WriteFileText(exeFolder + "\\" + kMarker, "arx");
    MessageAnswers answers;
    std::string folder;
    EXPECT_TRUE(GetPackageFolder(folder));
    EXPECT_EQ(folder, exeFolder); // no trailing backslash
    EXPECT_TRUE(answers.shown.empty());
}

TEST_F(PackageFolder, DataFileDoesNotCountAndTheMarkerDecides) {
    WriteFileText(DataFolder(), "not a folder");
    {
        MessageAnswers answers;
        std::string folder;
        EXPECT_FALSE(GetPackageFolder(folder));
        ExpectMissingPackageMessage(answers);
    }
    WriteFileText(exeFolder + "\\" + kMarker, "arx");
    std::string folder;
    EXPECT_TRUE(GetPackageFolder(folder));
    EXPECT_EQ(folder, exeFolder);
}

TEST_F(PackageFolder, FolderNamedLikeTheMarkerDoesNotCount) {
    MakeFolders(exeFolder + "\\" + kMarker);
    MessageAnswers answers;
    std::string folder;
    EXPECT_FALSE(GetPackageFolder(folder));
    ExpectMissingPackageMessage(answers);
}

// Read through the code page, the folder would come back with '?' and the package seem
// missing: the user is told what is really wrong.
TEST_F(PackageFolder, FolderTheCodePageCannotSpellIsNamedAsTheCause) {
    const std::wstring folder = fw::WideFromAnsi(exeFolder) + L"\\\ud55c";
    ASSERT_TRUE(CreateDirectoryW(folder.c_str(), nullptr));
    ASSERT_TRUE(CreateDirectoryW((folder + L"\\Data").c_str(), nullptr));
    OverrideExecutableFolder(folder);
    MessageAnswers answers;
    std::string found;
    EXPECT_FALSE(GetPackageFolder(found));
    ASSERT_EQ(answers.shown.size(), 1u);
    EXPECT_EQ(Utf8(answers.shown[0].text), Utf8(kUnspellableFolderMessage));
    EXPECT_EQ(answers.shown[0].caption, L"V-软件安装");
    EXPECT_EQ(answers.shown[0].type, static_cast<UINT>(MB_OK));
}

TEST_F(PackageFolder, MissingPackageStopsTheCopyBeforeItTouchesTheDisk) {
    MessageAnswers answers;
    EXPECT_FALSE(Copy());
    ExpectMissingPackageMessage(answers);
    EXPECT_FALSE(FolderExists(installFolder));
    EXPECT_EQ(Steps(), 0);
}

TEST_F(PackageFolder, EmptyDataFolderCopiesNothing) {
    MakeDataFolder();
    MessageAnswers answers;
    EXPECT_TRUE(Copy());
    EXPECT_TRUE(answers.shown.empty());
    EXPECT_TRUE(FolderExists(installFolder));
    EXPECT_TRUE(ListFiles(installFolder).empty());
    EXPECT_EQ(Steps(), 3); // ".", ".." and the end of the listing
}

} // namespace
