#include "acad/write_failures.h"

#include <gtest/gtest.h>

namespace {

// A failed entry below the 64-bit path, then the row's: one failure or two.
TEST(WriteFailures, EachFailureIsCountedOnce) {
    const std::string plain = "SOFTWARE\\Autodesk\\AutoCAD\\R18.0\\ACAD-8001:804\\";
    const std::string wow = "SOFTWARE\\Wow6432Node\\Autodesk\\AutoCAD\\R18.0\\ACAD-8001:804\\";
    const std::string arx = "Applications\\VK_ZiruzOrav2010";
    struct Row {
        const char* name;
        bool wowPathsJoined; // a 32-bit process
        std::string key, entry;
        int count;
    };
    const Row rows[] = {
        {"same key through the 32-bit path, 32-bit process", true, wow, arx, 1},
        {"the 32-bit view's key, 64-bit process", false, wow, arx, 2},
        {"same key again, 64-bit process", false, plain, arx, 1},
        {"letter case", true, "software\\autodesk\\autocad\\r18.0\\acad-8001:804\\",
         "APPLICATIONS\\vk_ziruzorav2010", 1},
        {"another entry of the key", true, plain, "Applications\\Vornik2010DLLP", 2},
        {"Wow6432Node deeper in the path", true,
         "SOFTWARE\\Autodesk\\Wow6432Node\\AutoCAD\\R18.0\\ACAD-8001:804\\", arx, 2},
    };
    for (const Row& row : rows) {
        acad::WriteFailures failures(row.wowPathsJoined);
        failures.AddEntry(plain, arx);
        failures.AddEntry(row.key, row.entry);
        EXPECT_EQ(failures.Count(), row.count) << row.name;
    }
    // A destination met again, in any letter case, is one file; entries and files add up.
    acad::WriteFailures failures(true);
    failures.AddFile("C:\\CAD2010\\Fonts\\Vornik_EN.shx");
    failures.AddFile("c:\\cad2010\\fonts\\VORNIK_EN.SHX");
    failures.AddFile("C:\\CAD2010\\Fonts\\Vornik_HZ.shx");
    failures.AddEntry(plain, arx);
    EXPECT_EQ(failures.Count(), 3);
}

} // namespace
