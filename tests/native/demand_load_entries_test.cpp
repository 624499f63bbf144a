#include "acad/demand_load_entries.h"

#include <gtest/gtest.h>

namespace {

const std::string kInstall = "C:\\Vornik\\V-ZiruzOrav";
const std::string kAcad = "C:\\Program Files\\AutoCAD";

// Each entry as "key: name=number name='text'", for readable comparisons.
std::vector<std::string> Described(int year, int targetBits = 32) {
    std::vector<std::string> described;
    for (const auto& entry : acad::DemandLoadEntries(year, kInstall, kAcad, targetBits)) {
        std::string text = entry ? entry->keyName + ":" : "(skipped)";
        for (const auto& value : entry ? entry->values : decltype(entry->values){})
            text += " " + value.name + "=" +
                    (value.kind == acad::EntryValueKind::Dword ? std::to_string(value.number)
                                                               : "'" + value.text + "'");
        described.push_back(text);
    }
    return described;
}

TEST(DemandLoadEntries, EveryReleaseLoadsItsModuleGeneration) {
    struct Row {
        int year, arx, dll;
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
        EXPECT_EQ(Described(row.year), expected) << "AutoCAD " << row.year;
    }
    EXPECT_TRUE(acad::DemandLoadEntries(2028, kInstall, kAcad, 64).empty());
}

// The 64-bit edition also loads the older 32-bit module generation into 2009 and 2010.
TEST(DemandLoadEntries, SixtyFourBitEditionAddsTheOlderModules) {
    for (const auto& [year, older] :
         {std::pair(2009, "VK_ZiruzOrav2008"), std::pair(2010, "VK_ZiruzOrav2010_32")})
        EXPECT_EQ(Described(year, 64).at(1), "Applications\\" + std::string(older) +
                                                 ": LOADCTRLS=2 LOADER='" + kInstall + "\\" +
                                                 older + ".ARX'")
            << year;
}

} // namespace
