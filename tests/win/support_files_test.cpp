// Support files copied from a package laid out in a temporary folder into AutoCAD folders
// in temporary folders, read back by their contents.
#include "acad/acad_registry.h"
#include "deploy/package_folder.h"
#include "framework/message_box.h"
#include "framework/text_convert.h"
#include "framework/unique_handle.h"
#include "tests/win/test_support.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace testing_support;

namespace {

std::vector<std::string> FilesIn(const std::string& folder) {
    std::vector<std::string> names = ListFiles(folder);
    std::sort(names.begin(), names.end());
    return names;
}

class SupportFiles : public testing::Test {
  protected:
    void SetUp() override { OverrideExecutableFolder(fw::WideFromAnsi(setupFolder.path())); }
    void TearDown() override { OverrideExecutableFolder(std::nullopt); }

    std::string Package() const { return setupFolder / "Data"; }
    // The package's file, whose content names it.
    void AddToPackage(const std::string& name) {
        MakeFolders(Package());
        WriteFileText(Package() + "\\" + name, "package " + name);
    }
    void AddFullPackage() {
        for (const char* name :
             {"Vornik_EN.shx", "Vornik_HZ.shx", "itextsharp.dll", "ACAD2007P.dll", "ACAD2009P.dll",
              "ACAD2010P.dll", "ACAD2013P.dll", "Vornik.prt5", "VK_ZiruzOrav2010.arx"})
            AddToPackage(name);
    }
    // An AutoCAD folder of the release with Fonts and Drv folders.
    std::string AddAutocad(int year, const std::string& name) {
        const std::string folder = acadRoot / name;
        MakeFolders(folder + "\\Fonts");
        MakeFolders(folder + "\\Drv");
        table.m_arrLocation[year - 2007].push_back(folder);
        table.m_arrProductKey[year - 2007].push_back("SOFTWARE\\Autodesk\\AutoCAD\\R\\" + name +
                                                     "\\");
        return folder;
    }
    static acad::ReleaseTicks Ticks(std::initializer_list<int> years) {
        acad::ReleaseTicks ticks{};
        for (int year : years)
            ticks[static_cast<size_t>(year - 2007)] = 1;
        return ticks;
    }
    static std::string Content(const std::string& path) {
        return ReadFileText(path).value_or("(missing)");
    }

    TempDir setupFolder;
    TempDir acadRoot;
    CAcadRegistry table;
    MessageAnswers boxes;
};

TEST_F(SupportFiles, FontsLibrariesAndTextLibraryReachTheFolder) {
    AddFullPackage();
    const std::string acad = AddAutocad(2010, "CAD2010");

    EXPECT_EQ(table.CopySupportFiles(Ticks({2010})), 0);

    EXPECT_EQ(Content(acad + "\\Fonts\\Vornik_EN.shx"), "package Vornik_EN.shx");
    EXPECT_EQ(Content(acad + "\\Fonts\\Vornik_HZ.shx"), "package Vornik_HZ.shx");
    EXPECT_EQ(Content(acad + "\\itextsharp.dll"), "package itextsharp.dll");
    EXPECT_EQ(FilesIn(acad),
              (std::vector<std::string>{"ACAD2007P.dll", "ACAD2009P.dll", "ACAD2010P.dll",
                                        "ACAD2013P.dll", "itextsharp.dll"}));
    EXPECT_TRUE(FilesIn(acad + "\\Drv").empty());
    EXPECT_TRUE(boxes.shown.empty());
}

TEST_F(SupportFiles, FolderWithoutFontsStillGetsTheLibraries) {
    AddFullPackage();
    const std::string acad = acadRoot / "CAD2009";
    MakeFolders(acad);
    table.m_arrLocation[2].push_back(acad);

    EXPECT_EQ(table.CopySupportFiles(Ticks({2009})), 2); // the two fonts

    EXPECT_FALSE(FolderExists(acad + "\\Fonts"));
    EXPECT_EQ(Content(acad + "\\itextsharp.dll"), "package itextsharp.dll");
    EXPECT_EQ(Content(acad + "\\ACAD2009P.dll"), "package ACAD2009P.dll");
}

TEST_F(SupportFiles, PackageWithSomeLibrariesCopiesExactlyThoseAndCountsNothing) {
    for (const char* name :
         {"ACAD2008P.dll", "ACAD2021P.dll", "ACAD2050P.dll", "ACAD2051P.dll", "ACAD2006P.dll"})
        AddToPackage(name);
    const std::string acad = AddAutocad(2013, "CAD2013");

    EXPECT_EQ(table.CopySupportFiles(Ticks({2013})), 0);

    EXPECT_EQ(FilesIn(acad),
              (std::vector<std::string>{"ACAD2008P.dll", "ACAD2021P.dll", "ACAD2050P.dll"}));
    EXPECT_TRUE(FilesIn(acad + "\\Fonts").empty());
}

TEST_F(SupportFiles, DriverFileOnlyInto2008sDrvReplacingTheFileThere) {
    AddFullPackage();
    const std::string cad2007 = AddAutocad(2007, "CAD2007");
    const std::string cad2008 = AddAutocad(2008, "CAD2008");
    const std::string cad2009 = AddAutocad(2009, "CAD2009");
    WriteFileText(cad2008 + "\\Drv\\pdfplot9.hdi", "AutoCAD's own driver");
    WriteFileText(cad2007 + "\\Drv\\pdfplot9.hdi", "AutoCAD 2007's driver");

    EXPECT_EQ(table.CopySupportFiles(Ticks({2007, 2008, 2009})), 0);

    EXPECT_EQ(FilesIn(cad2008 + "\\Drv"), std::vector<std::string>{"pdfplot9.hdi"});
    EXPECT_EQ(Content(cad2008 + "\\Drv\\pdfplot9.hdi"), "package Vornik.prt5");
    EXPECT_EQ(Content(cad2007 + "\\Drv\\pdfplot9.hdi"), "AutoCAD 2007's driver");
    EXPECT_TRUE(FilesIn(cad2009 + "\\Drv").empty());
}

TEST_F(SupportFiles, EveryFolderOfAReleaseGetsTheFilesOverwritingOldOnes) {
    AddFullPackage();
    const std::string first = AddAutocad(2014, "CAD2014 Chs");
    const std::string second = AddAutocad(2014, "CAD2014 Enu");
    table.m_arrLocation[7].push_back(second); // listed twice: copied twice, same result
    WriteFileText(second + "\\itextsharp.dll", "old");
    WriteFileText(second + "\\Fonts\\Vornik_HZ.shx", "old");

    EXPECT_EQ(table.CopySupportFiles(Ticks({2014})), 0);

    for (const std::string& acad : {first, second}) {
        SCOPED_TRACE(acad);
        EXPECT_EQ(Content(acad + "\\itextsharp.dll"), "package itextsharp.dll");
        EXPECT_EQ(Content(acad + "\\Fonts\\Vornik_HZ.shx"), "package Vornik_HZ.shx");
        EXPECT_EQ(Content(acad + "\\ACAD2013P.dll"), "package ACAD2013P.dll");
    }
}

TEST_F(SupportFiles, NoReleaseTickedNeverLooksForThePackage) {
    AddAutocad(2010, "CAD2010"); // and no package at all
    EXPECT_EQ(table.CopySupportFiles(Ticks({})), 0);
    EXPECT_TRUE(boxes.shown.empty());
}

TEST_F(SupportFiles, LockedDestinationIsCountedOnce) {
    AddFullPackage();
    const std::string acad = AddAutocad(2010, "CAD2010");
    WriteFileText(acad + "\\ACAD2010P.dll", "in use by AutoCAD");
    fw::unique_file inUse(CreateFileA((acad + "\\ACAD2010P.dll").c_str(), GENERIC_READ, 0, nullptr,
                                      OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    ASSERT_TRUE(inUse);

    EXPECT_EQ(table.CopySupportFiles(Ticks({2010})), 1);

    inUse.reset();
    EXPECT_EQ(Content(acad + "\\ACAD2010P.dll"), "in use by AutoCAD");
    EXPECT_EQ(Content(acad + "\\ACAD2013P.dll"), "package ACAD2013P.dll");
}

TEST_F(SupportFiles, DestinationTooLongForItsBufferIsCountedWhenThePackageHoldsTheFile) {
    AddToPackage("itextsharp.dll");
    AddToPackage("ACAD2007P.dll");
    // "\itextsharp.dll" and "\ACAD2007P.dll" would both end past the 259th character.
    table.m_arrLocation[0].push_back("C:\\" + std::string(243, 'a'));

    EXPECT_EQ(table.CopySupportFiles(Ticks({2007})), 2);
}

} // namespace
