#include "acad/demand_load_entries.h"

#include <gtest/gtest.h>

namespace {

using acad::DemandLoadEntries;
using acad::EntryValueKind;

const std::string kInstall = "C:\\Vornik\\V-ZiruzOrav";
const std::string kAcad = "C:\\Program Files\\AutoCAD";

// "name=number" or "name='text'" for each value, for readable comparisons.
std::string Describe(const acad::DemandLoadEntry& entry) {
    std::string text = entry.keyName + ":";
    for (const auto& value : entry.values) {
        text += " " + value.name + "=";
        text += value.kind == EntryValueKind::Dword ? std::to_string(value.number)
                                                    : "'" + value.text + "'";
    }
    return text;
}

std::vector<std::string> DescribeAll(int year, int targetBits,
                                     const std::string& installDir = kInstall,
                                     const std::string& acadFolder = kAcad) {
    std::vector<std::string> described;
    for (const auto& entry : DemandLoadEntries(year, installDir, acadFolder, targetBits))
        described.push_back(entry ? Describe(*entry) : "(skipped)");
    return described;
}

TEST(DemandLoadEntries, EveryReleaseLoadsItsModuleGeneration) {
    struct Row {
        int year;
        int arx;
        int dll;
    };
    const Row rows[] = {
        {2007, 2008, 2007}, {2008, 2008, 2007}, {2009, 2009, 2009}, {2010, 2010, 2010},
        {2011, 2010, 2010}, {2012, 2010, 2010}, {2013, 2013, 2013}, {2014, 2013, 2013},
        {2015, 2015, 2013}, {2016, 2015, 2013}, {2017, 2017, 2013}, {2018, 2018, 2013},
        {2019, 2019, 2013}, {2020, 2019, 2013}, {2021, 2021, 2013}, {2022, 2021, 2013},
        {2023, 2021, 2013}, {2024, 2021, 2013}, {2025, 2025, 2013}, {2026, 2025, 2013},
        {2027, 2027, 2013},
    };
    for (const Row& row : rows) {
        const std::string y = std::to_string(row.year);
        const std::vector<std::string> expected = {
            "Applications\\VK_ZiruzOrav" + y + ": LOADCTRLS=2 LOADER='" + kInstall +
                "\\VK_ZiruzOrav" + std::to_string(row.arx) + ".ARX'",
            "Applications\\Vornik" + y + "DLLP: LOADCTRLS=2 LOADER='" + kAcad + "\\ACAD" +
                std::to_string(row.dll) + "P.dll' MANAGED=1",
        };
        EXPECT_EQ(DescribeAll(row.year, 32), expected) << "AutoCAD " << row.year;
    }
}

TEST(DemandLoadEntries, SixtyFourBitEditionAddsAnEntryFor2009And2010Only) {
    struct Row {
        const char* name;
        int year;
        int targetBits;
        std::vector<std::string> keys;
    };
    const Row rows[] = {
        {"2009, 64-bit",
         2009,
         64,
         {"Applications\\VK_ZiruzOrav2009", "Applications\\VK_ZiruzOrav2008",
          "Applications\\Vornik2009DLLP"}},
        {"2010, 64-bit",
         2010,
         64,
         {"Applications\\VK_ZiruzOrav2010", "Applications\\VK_ZiruzOrav2010_32",
          "Applications\\Vornik2010DLLP"}},
        {"2009, 32-bit",
         2009,
         32,
         {"Applications\\VK_ZiruzOrav2009", "Applications\\Vornik2009DLLP"}},
        {"2010, 32-bit",
         2010,
         32,
         {"Applications\\VK_ZiruzOrav2010", "Applications\\Vornik2010DLLP"}},
        {"2008, 64-bit",
         2008,
         64,
         {"Applications\\VK_ZiruzOrav2008", "Applications\\Vornik2008DLLP"}},
        {"2011, 64-bit",
         2011,
         64,
         {"Applications\\VK_ZiruzOrav2011", "Applications\\Vornik2011DLLP"}},
    };
    for (const Row& row : rows) {
        std::vector<std::string> keys;
        for (const auto& entry : DemandLoadEntries(row.year, kInstall, kAcad, row.targetBits))
            keys.push_back(entry ? entry->keyName : "(skipped)");
        EXPECT_EQ(keys, row.keys) << row.name;
    }
    EXPECT_EQ(DescribeAll(2009, 64)[1], "Applications\\VK_ZiruzOrav2008: LOADCTRLS=2 LOADER='" +
                                            kInstall + "\\VK_ZiruzOrav2008.ARX'");
    EXPECT_EQ(DescribeAll(2010, 64)[1], "Applications\\VK_ZiruzOrav2010_32: LOADCTRLS=2 LOADER='" +
                                            kInstall + "\\VK_ZiruzOrav2010_32.ARX'");
}

TEST(DemandLoadEntries, YearsOutsideTheTableHaveNone) {
    for (int year : {0, 2006, 2028, -2007})
        EXPECT_TRUE(DemandLoadEntries(year, kInstall, kAcad, 64).empty()) << year;
}

// LOADER "<folder>\VK_ZiruzOrav2013.ARX" adds 21 characters to the install folder,
// "<folder>\ACAD2013P.dll" adds 14 to the AutoCAD folder; 259 characters fit.
TEST(DemandLoadEntries, LoaderTooLongForItsBufferSkipsThatEntryOnly) {
    const std::string arxFits(259 - 21, 'i');
    const std::string dllFits(259 - 14, 'a');
    struct Row {
        const char* name;
        std::string installDir;
        std::string acadFolder;
        int year;
        int targetBits;
        std::vector<bool> written;
    };
    const Row rows[] = {
        {"both at the limit", arxFits, dllFits, 2013, 32, {true, true}},
        {"install folder one too long", arxFits + "i", dllFits, 2013, 32, {false, true}},
        {"AutoCAD folder one too long", arxFits, dllFits + "a", 2013, 32, {true, false}},
        // "_32" makes the extra 2010 LOADER three characters longer than the first.
        {"only the extra 2010 entry too long",
         arxFits.substr(2),
         dllFits,
         2010,
         64,
         {true, false, true}},
    };
    for (const Row& row : rows) {
        std::vector<bool> written;
        for (const auto& entry :
             DemandLoadEntries(row.year, row.installDir, row.acadFolder, row.targetBits))
            written.push_back(entry.has_value());
        EXPECT_EQ(written, row.written) << row.name;
    }
}

} // namespace
