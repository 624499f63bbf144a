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

TEST(DemandLoadEntries, YearsOutsideTheTableHaveNone) {
    for (int year : {0, 2006, 2028, -2007})
        EXPECT_TRUE(DemandLoadEntries(year, kInstall, kAcad, 64).empty()) << year;
}

} // namespace
