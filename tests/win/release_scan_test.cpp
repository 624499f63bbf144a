// The start-up scan against a real (redirected) registry.
#include "acad/acad_registry.h"
#include "tests/win/test_support.h"

#include <gtest/gtest.h>

using namespace testing_support;

namespace {

const std::string kMain = "SOFTWARE\\Autodesk\\AutoCAD\\";
const std::string kWow = "SOFTWARE\\Wow6432Node\\Autodesk\\AutoCAD\\";

void AddProduct(const std::string& keyPath, const std::string& location,
                const std::string& productName) {
    SetRegString(HKEY_LOCAL_MACHINE, keyPath, "AcadLocation", location);
    SetRegString(HKEY_LOCAL_MACHINE, keyPath, "ProductName", productName);
}

class ReleaseScan : public testing::Test {
  protected:
    void ExpectParallelLists() const {
        for (int k = 0; k < acad::kReleaseCount; ++k)
            EXPECT_EQ(table.m_arrLocation[k].size(), table.m_arrProductKey[k].size())
                << "release " << acad::ReleaseYear(k);
    }
    int EntryCount() const {
        int count = 0;
        for (const auto& list : table.m_arrLocation)
            count += static_cast<int>(list.size());
        return count;
    }
    ScratchRegistry registry;
    CAcadRegistry table;
};

TEST_F(ReleaseScan, MissingBaseKeysFindNothing) {
    table.ScanInstalledReleases();
    EXPECT_EQ(EntryCount(), 0);
    ExpectParallelLists();
}

TEST_F(ReleaseScan, ProductDirectlyBelowReleaseKey) {
    AddProduct(kMain + "R18.0\\ACAD-8001:804", "C:\\Program Files\\AutoCAD 2010\\", "AutoCAD 2010");
    table.ScanInstalledReleases();
    ASSERT_EQ(table.m_arrLocation[3].size(), 1u);
    EXPECT_EQ(table.m_arrLocation[3][0], "C:\\Program Files\\AutoCAD 2010");
    EXPECT_EQ(table.m_arrProductKey[3][0], kMain + "R18.0\\ACAD-8001:804\\");
    EXPECT_EQ(EntryCount(), 1);
}

TEST_F(ReleaseScan, NestedProductCarriesEveryLevelInItsPath) {
    AddProduct(kMain + "R19.1\\Group\\ACAD-D001:804", "D:\\CAD2014", "AutoCAD 2014");
    table.ScanInstalledReleases();
    ASSERT_EQ(table.m_arrProductKey[7].size(), 1u);
    EXPECT_EQ(table.m_arrProductKey[7][0], kMain + "R19.1\\Group\\ACAD-D001:804\\");
    EXPECT_EQ(table.m_arrLocation[7][0], "D:\\CAD2014");
}

TEST_F(ReleaseScan, ValuesInDifferentKeysAreNoProduct) {
    SetRegString(HKEY_LOCAL_MACHINE, kMain + "R20.0\\ACAD-E001:804", "AcadLocation", "C:\\A");
    SetRegString(HKEY_LOCAL_MACHINE, kMain + "R20.0\\ACAD-E001:804\\Sub", "ProductName",
                 "AutoCAD 2015");
    table.ScanInstalledReleases();
    EXPECT_EQ(EntryCount(), 0);
}

// Support files and the LOADER of the managed library would land in the current folder.
TEST_F(ReleaseScan, KeyWithoutAnAbsoluteFolderIsNoInstallation) {
    const char* const locations[] = {"",          "AutoCAD 2015", "C:AutoCAD",
                                     "\\AutoCAD", "\\\\srv",      "\\\\srv\\cad\\AutoCAD 2015",
                                     "d:\\"};
    for (size_t i = 0; i < std::size(locations); ++i)
        AddProduct(kMain + "R20.0\\ACAD-E00" + std::to_string(i), locations[i], "AutoCAD 2015");
    table.ScanInstalledReleases();
    EXPECT_EQ(table.m_arrLocation[8], CStringList({"\\\\srv\\cad\\AutoCAD 2015", "d:"}));
}

TEST_F(ReleaseScan, ProductNameInReleaseKeyHidesProductsBelow) {
    SetRegString(HKEY_LOCAL_MACHINE, kMain + "R21.0", "ProductName", "AutoCAD 2017");
    AddProduct(kMain + "R21.0\\ACAD-F001:804", "C:\\A2017", "AutoCAD 2017");
    table.ScanInstalledReleases();
    EXPECT_EQ(EntryCount(), 0);
}

TEST_F(ReleaseScan, TwoProductsOfOneReleaseInEnumerationOrder) {
    AddProduct(kMain + "R22.0\\ACAD-1001:804", "C:\\Cad2018 Chs", "AutoCAD 2018 - \xbc\xf2");
    AddProduct(kMain + "R22.0\\ACAD-1001:409", "C:\\Cad2018 Enu", "AutoCAD 2018 - English");
    table.ScanInstalledReleases();
    ASSERT_EQ(table.m_arrLocation[11].size(), 2u);
    // The registry enumerates sub-keys in name order: :409 before :804.
    EXPECT_EQ(table.m_arrLocation[11][0], "C:\\Cad2018 Enu");
    EXPECT_EQ(table.m_arrProductKey[11][0], kMain + "R22.0\\ACAD-1001:409\\");
    EXPECT_EQ(table.m_arrLocation[11][1], "C:\\Cad2018 Chs");
    EXPECT_EQ(table.m_arrProductKey[11][1], kMain + "R22.0\\ACAD-1001:804\\");
    ExpectParallelLists();
}

TEST_F(ReleaseScan, OldReleaseUnderBothBasePathsGivesTwoEntries) {
    AddProduct(kWow + "R17.1\\ACAD-6001:804", "C:\\CAD2008\\", "AutoCAD 2008");
    AddProduct(kMain + "R17.1\\ACAD-6001:804", "C:\\CAD2008\\", "AutoCAD 2008");
    table.ScanInstalledReleases();
    ASSERT_EQ(table.m_arrProductKey[1].size(), 2u);
    // The 32-bit node is scanned first.
    EXPECT_EQ(table.m_arrProductKey[1][0], kWow + "R17.1\\ACAD-6001:804\\");
    EXPECT_EQ(table.m_arrProductKey[1][1], kMain + "R17.1\\ACAD-6001:804\\");
    EXPECT_EQ(table.m_arrLocation[1][0], "C:\\CAD2008");
    EXPECT_EQ(table.m_arrLocation[1][1], "C:\\CAD2008");
}

TEST_F(ReleaseScan, Wow6432NodeIgnoresReleasesAfter2010) {
    AddProduct(kWow + "R18.1\\ACAD-9001:804", "C:\\CAD2011", "AutoCAD 2011");
    AddProduct(kWow + "R18.0\\ACAD-8001:804", "C:\\CAD2010", "AutoCAD 2010");
    table.ScanInstalledReleases();
    EXPECT_EQ(table.m_arrLocation[4].size(), 0u);
    EXPECT_EQ(table.m_arrLocation[3].size(), 1u);
}

TEST_F(ReleaseScan, ValueLongerThan520BytesCountsAsAbsent) {
    AddProduct(kMain + "R23.0\\ACAD-2001:804", "C:\\" + std::string(517, 'x'), "AutoCAD 2019");
    AddProduct(kMain + "R23.0\\ACAD-2002:804", "C:\\" + std::string(516, 'y'), "AutoCAD 2019");
    table.ScanInstalledReleases();
    ASSERT_EQ(table.m_arrLocation[12].size(), 1u);
    EXPECT_EQ(table.m_arrLocation[12][0], "C:\\" + std::string(516, 'y'));
}

TEST_F(ReleaseScan, DeepChainEndsWithoutExhaustingTheStack) {
    // Deeper than any real layout; the walk must end and still find nothing wrong.
    std::string path = kMain + "R25.0";
    for (int i = 0; i < 40; ++i)
        path += "\\L";
    AddProduct(path, "C:\\Deep", "AutoCAD 2023");
    table.ScanInstalledReleases();
    ASSERT_EQ(table.m_arrLocation[16].size(), 1u);
    EXPECT_EQ(table.m_arrLocation[16][0], "C:\\Deep");
}

} // namespace
