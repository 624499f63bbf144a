// Demand-load registration against a redirected registry: the entry keys and values that
// AutoCAD reads below each product key, in each edition.
#include "acad/acad_registry.h"
#include "core/build_constants.h"
#include "tests/win/acad_integration_support.h"

#include <gtest/gtest.h>

using namespace testing_support;

namespace {

const std::string kInstall = "C:\\Vornik\\V-ZiruzOrav";

class DemandLoad : public testing::Test {
  protected:
    void TearDown() override { g_nTargetBits = m_savedBits; }

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

  private:
    int m_savedBits = g_nTargetBits;
};

// The 64-bit edition adds the older modules of 2009 and 2010; every run starts each entry key
// afresh, so an older entry keeps none of its values.
TEST_F(DemandLoad, EntriesOfEachEditionReplaceOlderOnes) {
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
        CAcadRegistry edition;
        edition.SetInstallDir(kInstall);
        const std::string base =
            "SOFTWARE\\Autodesk\\AutoCAD\\R" + std::to_string(row.bits) + "\\P";
        for (int year : {2009, 2010}) {
            const std::string key = base + std::to_string(year) + "\\";
            const std::string old = key + "Applications\\VK_ZiruzOrav" + std::to_string(year);
            SetRegString(HKEY_LOCAL_MACHINE, old, "DESCRIPTION", "old add-in");
            SetRegDword(HKEY_LOCAL_MACHINE, old, "LOADCTRLS", 14);
            edition.m_arrProductKey[year - 2007].push_back(key);
            edition.m_arrLocation[year - 2007].push_back("C:\\CAD");
        }
        g_nTargetBits = row.bits;

        EXPECT_EQ(edition.RegisterAddIn(Ticks({2009, 2010})), 0);

        EXPECT_EQ(Sorted(ListRegSubKeys(HKEY_LOCAL_MACHINE, base + "2009\\Applications")),
                  row.keys2009);
        EXPECT_EQ(Sorted(ListRegSubKeys(HKEY_LOCAL_MACHINE, base + "2010\\Applications")),
                  row.keys2010);
        ExpectExactValues(HKEY_LOCAL_MACHINE, base + "2009\\Applications\\VK_ZiruzOrav2009",
                          ArxValues("VK_ZiruzOrav2009.ARX"));
        ExpectExactValues(HKEY_LOCAL_MACHINE, base + "2009\\Applications\\Vornik2009DLLP",
                          ManagedValues("C:\\CAD", "ACAD2009P.dll"));
        if (row.bits == 64) {
            ExpectExactValues(HKEY_LOCAL_MACHINE, base + "2009\\Applications\\VK_ZiruzOrav2008",
                              ArxValues("VK_ZiruzOrav2008.ARX"));
            ExpectExactValues(HKEY_LOCAL_MACHINE, base + "2010\\Applications\\VK_ZiruzOrav2010_32",
                              ArxValues("VK_ZiruzOrav2010_32.ARX"));
        }
    }
}

} // namespace
