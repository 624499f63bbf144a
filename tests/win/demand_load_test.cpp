// Demand-load registration against a redirected registry: the entry keys and values that
// AutoCAD reads below each product key, and the failures counted.
#include "acad/acad_registry.h"
#include "core/build_constants.h"
#include "tests/win/acad_integration_support.h"

#include <gtest/gtest.h>

using namespace testing_support;

namespace {

const std::string kInstall = "C:\\Vornik\\V-ZiruzOrav";

class DemandLoad : public testing::Test {
  protected:
    void SetUp() override {
        g_nTargetBits = 32;
        table.SetInstallDir(kInstall);
    }
    void TearDown() override { g_nTargetBits = m_savedBits; }

    // A product of the release found by the scan: its key exists below HKLM.
    std::string AddProduct(int year, const std::string& name, const std::string& folder) {
        const std::string key = "SOFTWARE\\Autodesk\\AutoCAD\\R\\" + name + "\\";
        CreateRegKey(HKEY_LOCAL_MACHINE, key);
        ListProduct(year, key, folder);
        return key;
    }
    void ListProduct(int year, const std::string& key, const std::string& folder) {
        table.m_arrProductKey[year - 2007].push_back(key);
        table.m_arrLocation[year - 2007].push_back(folder);
    }
    static acad::ReleaseTicks Ticks(std::initializer_list<int> years) {
        acad::ReleaseTicks ticks{};
        for (int year : years)
            ticks[static_cast<size_t>(year - 2007)] = 1;
        return ticks;
    }
    static NamedValues ArxValues(const std::string& file) {
        return {{"LOADCTRLS", Dword(2)}, {"LOADER", Sz(kInstall + "\\" + file)}};
    }
    static NamedValues ManagedValues(const std::string& folder, const std::string& file) {
        return {
            {"LOADCTRLS", Dword(2)}, {"LOADER", Sz(folder + "\\" + file)}, {"MANAGED", Dword(1)}};
    }

    ScratchRegistry registry;
    CAcadRegistry table;

  private:
    int m_savedBits = g_nTargetBits;
};

TEST_F(DemandLoad, NoReleaseTickedWritesNoEntryButTrustsTheFolder) {
    const std::string product = AddProduct(2010, "ACAD-8001:804", "C:\\CAD2010");
    CreateRegKey(HKEY_CURRENT_USER,
                 "SOFTWARE\\Autodesk\\AutoCAD\\R18.0\\ACAD-8001:804\\Profiles\\P");

    EXPECT_EQ(table.RegisterAddIn(Ticks({})), 0);

    EXPECT_TRUE(ListRegSubKeys(HKEY_LOCAL_MACHINE, product).empty());
    ExpectExactValues(HKEY_CURRENT_USER,
                      "SOFTWARE\\Autodesk\\AutoCAD\\R18.0\\ACAD-8001:804\\Profiles\\P\\Variables",
                      {{"TRUSTEDPATHS", Sz(kInstall)}});
}

TEST_F(DemandLoad, TwoProductKeysEachLoadTheLibraryFromTheirOwnFolder) {
    const std::string chs = AddProduct(2013, "ACAD-B001:804", "C:\\CAD2013 Chs");
    const std::string enu = AddProduct(2013, "ACAD-B001:409", "D:\\CAD2013 Enu");

    EXPECT_EQ(table.RegisterAddIn(Ticks({2013})), 0);

    for (const auto& [product, folder] :
         {std::pair{chs, "C:\\CAD2013 Chs"}, std::pair{enu, "D:\\CAD2013 Enu"}}) {
        EXPECT_EQ(Sorted(ListRegSubKeys(HKEY_LOCAL_MACHINE, product + "Applications")),
                  Sorted({"VK_ZiruzOrav2013", "Vornik2013DLLP"}));
        ExpectExactValues(HKEY_LOCAL_MACHINE, product + "Applications\\VK_ZiruzOrav2013",
                          ArxValues("VK_ZiruzOrav2013.ARX"));
        ExpectExactValues(HKEY_LOCAL_MACHINE, product + "Applications\\Vornik2013DLLP",
                          ManagedValues(folder, "ACAD2013P.dll"));
    }
}

TEST_F(DemandLoad, ReleasesLoadTheModulesOfTheirGeneration) {
    struct Row {
        int year;
        const char* arx;
        const char* dll;
    };
    const Row rows[] = {
        {2007, "VK_ZiruzOrav2008.ARX", "ACAD2007P.dll"},
        {2011, "VK_ZiruzOrav2010.ARX", "ACAD2010P.dll"},
        {2012, "VK_ZiruzOrav2010.ARX", "ACAD2010P.dll"},
        {2024, "VK_ZiruzOrav2021.ARX", "ACAD2013P.dll"},
        {2025, "VK_ZiruzOrav2025.ARX", "ACAD2013P.dll"},
        {2026, "VK_ZiruzOrav2025.ARX", "ACAD2013P.dll"},
        {2027, "VK_ZiruzOrav2027.ARX", "ACAD2013P.dll"},
    };
    g_nTargetBits = 64; // the edition that shows 2017 and later
    acad::ReleaseTicks ticks{};
    for (const Row& row : rows) {
        AddProduct(row.year, "P" + std::to_string(row.year), "C:\\CAD" + std::to_string(row.year));
        ticks[static_cast<size_t>(row.year - 2007)] = 1;
    }

    EXPECT_EQ(table.RegisterAddIn(ticks), 0);

    for (const Row& row : rows) {
        const std::string y = std::to_string(row.year);
        const std::string applications = "SOFTWARE\\Autodesk\\AutoCAD\\R\\P" + y + "\\Applications";
        EXPECT_EQ(Sorted(ListRegSubKeys(HKEY_LOCAL_MACHINE, applications)),
                  Sorted({"VK_ZiruzOrav" + y, "Vornik" + y + "DLLP"}))
            << row.year;
        ExpectExactValues(HKEY_LOCAL_MACHINE, applications + "\\VK_ZiruzOrav" + y,
                          ArxValues(row.arx));
        ExpectExactValues(HKEY_LOCAL_MACHINE, applications + "\\Vornik" + y + "DLLP",
                          ManagedValues("C:\\CAD" + y, row.dll));
    }
}

TEST_F(DemandLoad, SixtyFourBitEditionAddsTheOlderModulesOf2009And2010) {
    struct Row {
        int bits;
        std::vector<std::string> keys2009;
        std::vector<std::string> keys2010;
    };
    const Row rows[] = {
        {64,
         {"VK_ZiruzOrav2008", "VK_ZiruzOrav2009", "Vornik2009DLLP"},
         {"VK_ZiruzOrav2010", "VK_ZiruzOrav2010_32", "Vornik2010DLLP"}},
        {32, {"VK_ZiruzOrav2009", "Vornik2009DLLP"}, {"VK_ZiruzOrav2010", "Vornik2010DLLP"}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.bits);
        const std::string base =
            "SOFTWARE\\Autodesk\\AutoCAD\\R" + std::to_string(row.bits) + "\\P";
        CAcadRegistry edition;
        edition.SetInstallDir(kInstall);
        for (int year : {2009, 2010}) {
            const std::string key = base + std::to_string(year) + "\\";
            CreateRegKey(HKEY_LOCAL_MACHINE, key);
            edition.m_arrProductKey[year - 2007].push_back(key);
            edition.m_arrLocation[year - 2007].push_back("C:\\CAD");
        }
        g_nTargetBits = row.bits;

        EXPECT_EQ(edition.RegisterAddIn(Ticks({2009, 2010})), 0);

        EXPECT_EQ(Sorted(ListRegSubKeys(HKEY_LOCAL_MACHINE, base + "2009\\Applications")),
                  row.keys2009);
        EXPECT_EQ(Sorted(ListRegSubKeys(HKEY_LOCAL_MACHINE, base + "2010\\Applications")),
                  row.keys2010);
        if (row.bits == 64) {
            ExpectExactValues(HKEY_LOCAL_MACHINE, base + "2009\\Applications\\VK_ZiruzOrav2008",
                              ArxValues("VK_ZiruzOrav2008.ARX"));
            ExpectExactValues(HKEY_LOCAL_MACHINE, base + "2010\\Applications\\VK_ZiruzOrav2010_32",
                              ArxValues("VK_ZiruzOrav2010_32.ARX"));
        }
    }
}

TEST_F(DemandLoad, ExistingEntryKeyIsReplacedByOneWithOnlyOurValues) {
    const std::string product = AddProduct(2010, "ACAD-8001:804", "C:\\CAD2010");
    const std::string entry = product + "Applications\\VK_ZiruzOrav2010";
    SetRegString(HKEY_LOCAL_MACHINE, entry, "DESCRIPTION", "old add-in");
    SetRegString(HKEY_LOCAL_MACHINE, entry, "LOADER", "D:\\Old\\VK_ZiruzOrav2010.ARX");
    SetRegDword(HKEY_LOCAL_MACHINE, entry, "LOADCTRLS", 14);

    EXPECT_EQ(table.RegisterAddIn(Ticks({2010})), 0);

    ExpectExactValues(HKEY_LOCAL_MACHINE, entry, ArxValues("VK_ZiruzOrav2010.ARX"));
}

TEST_F(DemandLoad, EntryKeyWithASubKeyKeepsTheRestAndGetsOurValues) {
    const std::string product = AddProduct(2010, "ACAD-8001:804", "C:\\CAD2010");
    const std::string entry = product + "Applications\\Vornik2010DLLP";
    SetRegString(HKEY_LOCAL_MACHINE, entry, "DESCRIPTION", "kept");
    SetRegString(HKEY_LOCAL_MACHINE, entry, "LOADER", "D:\\Old\\ACAD2010P.dll");
    SetRegString(HKEY_LOCAL_MACHINE, entry + "\\Commands", "PLOTALL", "PLOTALL");

    EXPECT_EQ(table.RegisterAddIn(Ticks({2010})), 0);

    NamedValues expected = ManagedValues("C:\\CAD2010", "ACAD2010P.dll");
    expected.push_back({"DESCRIPTION", Sz("kept")});
    ExpectExactValues(HKEY_LOCAL_MACHINE, entry, expected);
    ExpectExactValues(HKEY_LOCAL_MACHINE, entry + "\\Commands", {{"PLOTALL", Sz("PLOTALL")}});
}

TEST_F(DemandLoad, ProductKeyThatCannotBeOpenedIsSkippedAndItsEntriesCounted) {
    const std::string gone = "SOFTWARE\\Autodesk\\AutoCAD\\R\\Uninstalled\\";
    ListProduct(2013, gone, "C:\\Gone");
    const std::string kept = AddProduct(2013, "ACAD-B001:804", "C:\\CAD2013");
    AddProduct(2014, "ACAD-D001:804", "C:\\CAD2014");

    EXPECT_EQ(table.RegisterAddIn(Ticks({2013, 2014})), 2);

    EXPECT_FALSE(RegKeyExists(HKEY_LOCAL_MACHINE, gone));
    ExpectExactValues(HKEY_LOCAL_MACHINE, kept + "Applications\\Vornik2013DLLP",
                      ManagedValues("C:\\CAD2013", "ACAD2013P.dll"));
    EXPECT_EQ(ListRegSubKeys(HKEY_LOCAL_MACHINE,
                             "SOFTWARE\\Autodesk\\AutoCAD\\R\\ACAD-D001:804\\Applications")
                  .size(),
              2u);
}

// A registry link whose target is gone can be neither deleted through nor created again:
// exactly that one entry key cannot be written.
TEST_F(DemandLoad, EntryKeyThatCannotBeCreatedIsCountedOnce) {
    const std::string product = AddProduct(2013, "ACAD-B001:804", "C:\\CAD2013");
    const std::string entry = product + "Applications\\VK_ZiruzOrav2013";
    CreateRegKey(HKEY_LOCAL_MACHINE, product + "Applications");
    {
        fw::unique_hkey link;
        ASSERT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, entry.c_str(), 0, nullptr,
                                  REG_OPTION_CREATE_LINK, KEY_ALL_ACCESS | KEY_CREATE_LINK, nullptr,
                                  link.put(), nullptr),
                  ERROR_SUCCESS);
        const std::wstring target = L"\\Registry\\Machine\\SetUpTestsNoSuchKey\\Gone";
        ASSERT_EQ(RegSetValueExW(link.get(), L"SymbolicLinkValue", 0, REG_LINK,
                                 reinterpret_cast<const BYTE*>(target.data()),
                                 static_cast<DWORD>(target.size() * sizeof(wchar_t))),
                  ERROR_SUCCESS);
    }

    const int failures = table.RegisterAddIn(Ticks({2013}));

    // The link is removed by hand: the scratch registry's cleanup would not follow it.
    fw::unique_hkey link;
    ASSERT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, entry.c_str(), REG_OPTION_OPEN_LINK, KEY_ALL_ACCESS,
                            link.put()),
              ERROR_SUCCESS);
    EXPECT_EQ(RegDeleteKeyA(link.get(), ""), ERROR_SUCCESS);
    EXPECT_EQ(failures, 1);
    ExpectExactValues(HKEY_LOCAL_MACHINE, product + "Applications\\Vornik2013DLLP",
                      ManagedValues("C:\\CAD2013", "ACAD2013P.dll"));
}

TEST_F(DemandLoad, EntryWhoseLoaderWouldNotFitIsSkippedAndCounted) {
    // "\VK_ZiruzOrav2013.ARX" makes 21 more characters: 239 + 21 = 260 is one too many.
    const std::string longInstall = "C:\\" + std::string(236, 'v');
    table.SetInstallDir(longInstall);
    const std::string product = AddProduct(2013, "ACAD-B001:804", "C:\\CAD2013");
    SetRegString(HKEY_LOCAL_MACHINE, product + "Applications\\VK_ZiruzOrav2013", "LOADER", "old");

    EXPECT_EQ(table.RegisterAddIn(Ticks({2013})), 1);

    // The previous entry stays as it was rather than being replaced by a cut path.
    ExpectExactValues(HKEY_LOCAL_MACHINE, product + "Applications\\VK_ZiruzOrav2013",
                      {{"LOADER", Sz("old")}});
    ExpectExactValues(HKEY_LOCAL_MACHINE, product + "Applications\\Vornik2013DLLP",
                      ManagedValues("C:\\CAD2013", "ACAD2013P.dll"));
}

} // namespace
